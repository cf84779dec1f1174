#include "analysis/forum_engines/engine_counting.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

namespace {

// The generator <meta>, the page script's discuz_uid, the forum tables "fl_tb".
bool recognises(std::string_view page) {
    return generator_starts_with(page, "Discuz!") || holds_any(page, {"discuz_uid", "fl_tb"});
}

// The forums stand in <table class="fl_tb">: the grid layout shows each forum's counts as
// <td class="fl_g"> ... <dd><em>label: N</em>, <em>label: N</em></dd>, the list layout as
// <td class="fl_i"><span>N</span><span> / N</span></td>. From 10,000 on a count is shown short
// ("6万") with the exact figure in the title of its <span>.
void count(const PageLines& page, PostCounter& counter) {
    const std::string_view text = page.bytes();
    if (text.find("fl_tb") == std::string_view::npos) return;
    const auto count = [&](std::string_view, std::string_view cell) { count_cell_numbers(cell, counter); };
    // The <em> beside the forum's name in its <dt> holds today's posts, no total.
    for_each_element(text, "td", "fl_g", [&](std::string_view, std::string_view forum) {
        for_each_element(forum, "dd", "", [&](std::string_view, std::string_view item) { for_each_element(item, "em", "", count); });
    });
    for_each_element(text, "td", "fl_i", count);
}

// The grid layout links each forum's last post ("...goto=lastpost#lastpost") with a label and the
// time inside the link: "2018-3-11 17:08" (year first), or relative words in the board's language
// with that time in a tooltip (<span title="2018-3-19 08:53">). The list layout's <td class="fl_by">
// links the post's subject and writes the time behind it, in <cite> before the author's name.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::YearMonthDay);
    const auto last_post_link = [](std::string_view tag) {
        return attribute(tag, "href").find("goto=lastpost") != std::string_view::npos;
    };
    const auto read = [&](std::string_view, std::string_view cell) { read_last_post_cell(cell, newest); };
    for_each_element_if(page.bytes(), "a", last_post_link,
                        [&](std::string_view, std::string_view link) { read_last_post_cell(link, newest, true); });
    for_each_element(page.bytes(), "td", "fl_by",
                     [&](std::string_view, std::string_view cell) { for_each_element(cell, "cite", "", read); });
    return newest.newest();
}

// viewthread's <div id="postlist">, forumdisplay's <div id="threadlist"> (sub-forums' fl_tb above
// it); the index has neither.
PageShape page_kind(std::string_view page) {
    if (holds_any(page, {"id=\"postlist\""})) return {PageKind::TopicPage};
    if (const std::size_t threads = page.find("id=\"threadlist\""); threads != std::string_view::npos)
        return {PageKind::ForumPage, threads};
    return {PageKind::BoardIndex};
}

// The breadcrumb <div id="pt">: its first link (class "nvhm") is the portal's home where a portal
// runs, so the link to forum.php itself goes first.
std::string_view board_index_link(std::string_view page) {
    const std::size_t at = page.find("id=\"pt\"");
    if (at == std::string_view::npos) return {};
    const std::string_view crumbs = page.substr(at, kElementReadLimit);
    if (const std::string_view link = href_ending_with(crumbs, "forum.php"); !link.empty() && link.find('?') == std::string_view::npos)
        return link;
    return first_href_behind(crumbs, "id=\"pt\"");
}

}  // namespace

const ForumEngine forum_engine::discuzx = {"discuzx", "Discuz! X", recognises, count, newest_post, page_kind, board_index_link};
