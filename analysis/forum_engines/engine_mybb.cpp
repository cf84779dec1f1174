#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

namespace {

// The page script's my_post_key, and the engine's own script.
bool recognises(std::string_view page) { return holds_any(page, {"my_post_key", "jscripts/general.js"}); }

// A forum row's cells are <td class="trow1"> or <td class="trow2">, alternating.
bool is_row_cell(std::string_view tag) { return has_class(tag, "trow1") || has_class(tag, "trow2"); }

// The count cells are nowrap row cells with the number first ("87<span ...> Replies</span>",
// "5,736"); themes swap their order. The last-post cell is nowrap too but begins with markup, so
// it gives no number.
void count(const PageLines& page, PostCounter& counter) {
    const auto count_cell = [](std::string_view tag) {
        return is_row_cell(tag) && attribute(tag, "style").find("nowrap") != std::string_view::npos;
    };
    for_each_element_if(page.bytes(), "td", count_cell, [&](std::string_view, std::string_view content) {
        if (const auto value = parse_board_number(leading_text(content))) counter.add(*value);
    });
}

// The last-post cell (forumbit_depth2_forum_lastpost) alone links the forum's last post
// ("showthread.php?tid=N&amp;action=lastpost", or "thread-N-lastpost.html" with search-engine
// friendly addresses): <a ... title="subject"><strong>subject</strong></a><br />03-10-2018, 04:11 PM
// <br />by ..., where a recent time shows as <span title="03-24-2018, 07:09 PM">6 hours ago</span>
// or as "1 hour ago" alone. Month first by default.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements_holding(page.bytes(), "td", is_row_cell, "lastpost", download_time,
                                      NumericDates::MonthDayYear);
}

// showthread's <div id="posts">; forumdisplay's thread rows <tr class="inline_row"> (the
// sub-forums' table above them); the index's board statistics, which it alone shows (the box
// "boardstats_e").
PageShape page_kind(std::string_view page) {
    if (holds_any(page, {"<div id=\"posts\""})) return {PageKind::TopicPage};
    if (const std::size_t threads = find_element_with_class(page, "tr", "inline_row"); threads != std::string_view::npos)
        return {PageKind::ForumPage, threads};
    if (holds_any(page, {"id=\"boardstats_e\""})) return {PageKind::BoardIndex};
    return {};
}

// The breadcrumb's first link: <div class="navigation"><a href=".../index.php">Board</a>.
std::string_view board_index_link(std::string_view page) { return first_href_behind(page, "class=\"navigation\""); }

}  // namespace

const ForumEngine forum_engine::mybb = {"mybb", "MyBB 1.8", recognises, count, newest_post, page_kind, board_index_link};
