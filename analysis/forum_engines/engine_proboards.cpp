#include "analysis/forum_engines/engine_counting.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

namespace {

// ProBoards is hosted: every page loads its scripts and images from the service's own hosts and
// ends with "Powered by ProBoards".
bool recognises(std::string_view page) {
    return holds_any(page, {"storage.proboards.com", "images.proboards.com", "Powered by ProBoards"});
}

// The board list's rows <tr class="board item ..."> hold <td class="threads">1,234</td> and
// <td class="posts">5,678</td>; the thread list's rows are "thread item" with replies and views.
void count(const PageLines& page, PostCounter& counter) {
    if (!recognises(page.bytes())) return;
    const auto board_row = [](std::string_view tag) { return has_class(tag, "board") && has_class(tag, "item"); };
    for_each_element_if(page.bytes(), "tr", board_row, [&](std::string_view, std::string_view row) {
        const auto count = [&](std::string_view, std::string_view cell) { count_cell_numbers(cell, counter); };
        for (const char* column : {"threads", "posts"}) for_each_element(row, "td", column, count);
    });
}

// The board row's <td class="latest"> shows the last post's time as <abbr class="o-timestamp time"
// data-timestamp="1521465000000" title="...">, in milliseconds.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "td", "latest", download_time, NumericDates::None);
}

// A thread's posts stand in <div class="container posts">, a board's threads in <div class="container
// threads"> (its sub-boards in "container boards" above); the index holds board containers alone.
// Written from the default theme's class names, not checked against served pages.
PageShape page_kind(std::string_view page) {
    const auto container = [&](std::string_view kind) {
        for (std::size_t pos = find_start_tag(page, "div", 0); pos != std::string_view::npos;
             pos = find_start_tag(page, "div", pos + 1))
            if (const std::string_view tag = tag_at(page, pos); has_class(tag, "container") && has_class(tag, kind))
                return pos;
        return std::string_view::npos;
    };
    if (container("posts") != std::string_view::npos) return {PageKind::TopicPage};
    if (const std::size_t threads = container("threads"); threads != std::string_view::npos)
        return {PageKind::ForumPage, threads};
    if (container("boards") != std::string_view::npos) return {PageKind::BoardIndex};
    return {};
}

// The navigation tree's first link, the forum's home (<div id="nav-tree">).
std::string_view board_index_link(std::string_view page) { return first_href_behind(page, "id=\"nav-tree\""); }

}  // namespace

const ForumEngine forum_engine::proboards = {"proboards", "ProBoards", recognises, count, newest_post, page_kind, board_index_link};
