#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

namespace {

// The generator <meta>, and the forum home's <ol id="forums"> of "forumbit_post" rows.
bool recognises(std::string_view page) {
    return generator_starts_with(page, "vBulletin 4") || holds_any(page, {"forumbit_post", "forumbit_nopost"});
}

// <ul class="forumstats td"><li>Threads: 79</li><li>Posts: 591</li></ul>, for a forum on the
// top level "forumstats_2"; the labels are translated on other boards.
void count(const PageLines& page, PostCounter& counter) {
    const auto stats_list = [](std::string_view tag) { return has_class(tag, "forumstats") || has_class(tag, "forumstats_2"); };
    for_each_element_if(page.bytes(), "ul", stats_list, [&](std::string_view, std::string_view stats) {
        for_each_element(stats, "li", "", [&](std::string_view, std::string_view item) {
            if (const auto value = parse_labelled_number(leading_text(item))) counter.add(*value);
        });
    });
}

// <p class="lastpostdate">Today, <span class="time">09:36 PM</span></p>.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "p", "lastpostdate", download_time, NumericDates::MonthDayYear);
}

// showthread's <div id="postlist">, forumdisplay's <div id="threadlist"> (its sub-forums'
// forumbits above it), forumhome's <ol id="forums">.
PageShape page_kind(std::string_view page) {
    if (holds_any(page, {"<div id=\"postlist\""})) return {PageKind::TopicPage};
    if (const std::size_t threads = page.find("<div id=\"threadlist\""); threads != std::string_view::npos)
        return {PageKind::ForumPage, threads};
    if (holds_any(page, {"<ol id=\"forums\""})) return {PageKind::BoardIndex};
    return {};
}

// The breadcrumb's home: <li class="navbithome"><a href="index.php" accesskey="1">.
std::string_view board_index_link(std::string_view page) {
    const std::string_view link = first_href_behind(page, "class=\"navbithome\"");
    return link.empty() ? href_of_anchor_holding(page, "accesskey=\"1\"") : link;
}

}  // namespace

const ForumEngine forum_engine::vbulletin4 = {"vbulletin4", "vBulletin 4", recognises, count, newest_post, page_kind, board_index_link};
