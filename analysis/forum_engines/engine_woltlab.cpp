#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

namespace {

// WoltLab Suite names the template and its application on the body: <body id="tpl_wbb_boardList"
// data-template="boardList" data-application="wbb">; the board list is <ul class="wbbBoardList">.
bool recognises(std::string_view page) {
    return holds_any(page, {"data-application=\"wbb\"", "id=\"tpl_wbb_", "wbbBoardList"});
}

// Each board's <div class="wbbStats"><dl class="plain statsDataList"><dt>Threads</dt><dd>1,234</dd>
// <dt>Posts</dt><dd>5,678</dd></dl>; the copy for narrow screens (messageGroupListStatsSimple)
// shows the posts again in short form and is not counted.
void count(const PageLines& page, PostCounter& counter) {
    for_each_element(page.bytes(), "div", "wbbStats", [&](std::string_view, std::string_view stats) {
        for_each_element(stats, "dl", "statsDataList", [&](std::string_view, std::string_view list) {
            for_each_element(list, "dd", "", [&](std::string_view, std::string_view value) {
                if (const auto number = parse_board_number(first_text(value))) counter.add(*number);
            });
        });
    });
}

// The board's last post box (class wbbLastPost) holds <time datetime="2018-03-19T14:10:00+01:00"
// class="datetime" data-timestamp="...">.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::None);
    const auto read = [&](std::string_view, std::string_view box) { read_last_post_cell(box, newest); };
    for (const char* name : {"div", "aside"}) for_each_element(page.bytes(), name, "wbbLastPost", read);
    return newest.newest();
}

// The body's id names the template: tpl_wbb_boardList (the index), tpl_wbb_board (a board: its
// sub-boards, then the threads in "wbbThreadList"), tpl_wbb_thread.
PageShape page_kind(std::string_view page) {
    const std::string_view id = attribute(first_start_tag(page, "body"), "id");
    if (id == "tpl_wbb_thread") return {PageKind::TopicPage};
    if (id == "tpl_wbb_board") return {PageKind::ForumPage, page.find("wbbThreadList")};
    if (id == "tpl_wbb_boardList") return {PageKind::BoardIndex};
    return {};
}

// The breadcrumbs' first link, the board list (<nav class="breadcrumbs">).
std::string_view board_index_link(std::string_view page) { return first_href_behind(page, "class=\"breadcrumbs"); }

}  // namespace

const ForumEngine forum_engine::woltlab = {"woltlab", "WoltLab Suite Forum", recognises, count, newest_post, page_kind, board_index_link};
