#include "analysis/forum_engines/engine_counting.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

namespace {

// The forum tables "ipb_table", the page script's ipb.vars, the stats column "col_c_stats".
bool recognises(std::string_view page) { return holds_any(page, {"ipb_table", "ipb.vars", "col_c_stats"}); }

// Each forum row's <td class="col_c_stats ..."> lists <li><strong>N</strong> label</li> for
// topics and replies (boards built on the same markup put the label first); skins that show the
// figures under the forum's name write <div class="forum_stats"><span>label:</span> N ...</div>
// instead, on a page whose forum tables are "ipb_table".
void count(const PageLines& page, PostCounter& counter) {
    const std::string_view text = page.bytes();
    const auto count = [&](std::string_view, std::string_view cell) { count_cell_numbers(cell, counter); };
    for_each_element(text, "td", "col_c_stats", count);
    if (counter.count() == 0 && text.find("ipb_table") != std::string_view::npos)
        for_each_element(text, "div", "forum_stats", count);
}

// <ul class='last_post'> holds the topic's link, then the date as the text of the link to the
// last post (...?view=getlastpost): "Yesterday, 06:32 AM", "10 March 2018 - 04:11 PM".
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::None);
    for_each_element(page.bytes(), "ul", "last_post", [&](std::string_view, std::string_view box) {
        for_each_element(box, "a", "", [&](std::string_view tag, std::string_view text) {
            if (attribute(tag, "href").find("getlastpost") != std::string_view::npos)
                read_last_post_cell(text, newest, true);
        });
    });
    return newest.newest();
}

// A topic's posts are <div ... id='post_id_N'>; a forum's topics <table ... id='forum_table'>
// (sub-forums' ipb_table above it); the index's <div id='board_index'>.
PageShape page_kind(std::string_view page) {
    if (holds_any(page, {"id='post_id_", "id=\"post_id_"})) return {PageKind::TopicPage};
    if (const std::size_t topics = find_first(page, {"id='forum_table'", "id=\"forum_table\""});
        topics != std::string_view::npos)
        return {PageKind::ForumPage, topics};
    if (holds_any(page, {"id='board_index'", "id=\"board_index\""})) return {PageKind::BoardIndex};
    return {};
}

// The breadcrumb's first link: <ol class='breadcrumb top ...'><li><a href='.../index.php'>.
std::string_view board_index_link(std::string_view page) {
    const std::string_view link = first_href_behind(page, "class='breadcrumb");
    return link.empty() ? first_href_behind(page, "class=\"breadcrumb") : link;
}

}  // namespace

const ForumEngine forum_engine::ipboard3 = {"ipboard3", "IP.Board 3", recognises, count, newest_post, page_kind, board_index_link};
