#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

#include <optional>

namespace {

// The generator <meta>, and the forum home's "alt1Active" title cells.
bool recognises(std::string_view page) {
    return generator_starts_with(page, "vBulletin 3") || holds_any(page, {"<td class=\"alt1Active\""});
}

constexpr std::string_view kCellEnd = "</td>";

// The number a cell holds alone, from start (behind its start tag) to its "</td>"; next is set
// behind the end tag. A bare cell ends at its first '<', so the search stops there: a cell left
// open ends at the next tag instead of sending every such cell to the end of the page.
std::optional<std::int32_t> bare_cell_number(std::string_view text, std::size_t start, std::size_t& next) {
    const std::size_t end = text.find('<', start);
    if (end == std::string_view::npos || text.substr(end, kCellEnd.size()) != kCellEnd) return std::nullopt;
    const std::string_view cell = text.substr(start, end - start);
    next = end + kCellEnd.size();
    return parse_board_number(cell);
}

// A forum row ends with <td class="alt1">threads</td> and <td class="alt2">posts</td>, side by
// side; the same classes elsewhere hold words, icons or last-post boxes.
void count(const PageLines& page, PostCounter& counter) {
    constexpr std::string_view kThreads = "<td class=\"alt1\">";
    constexpr std::string_view kPosts = "<td class=\"alt2\">";
    const std::string_view text = page.bytes();
    for (std::size_t pos = text.find(kThreads); pos != std::string_view::npos; pos = text.find(kThreads, pos + 1)) {
        std::size_t next = 0;
        const auto threads = bare_cell_number(text, pos + kThreads.size(), next);
        if (!threads) continue;
        next = text.find_first_not_of(" \t\r\n", next);
        if (next == std::string_view::npos || text.substr(next, kPosts.size()) != kPosts) continue;
        const auto posts = bare_cell_number(text, next + kPosts.size(), next);
        if (!posts) continue;
        counter.add(*threads);
        counter.add(*posts);
    }
}

// The forumhome_lastpostby box sits in a <td class="alt1|alt2"> of the forum row, beside the count
// cells of the same classes; it alone links the last post ("lastpost" in its link or image).
// vBulletin prints "03-10-2018" (month-day-year) by default; boards often switch to day first.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    const auto row_cell = [](std::string_view tag) { return has_class(tag, "alt1") || has_class(tag, "alt2"); };
    return newest_in_elements_holding(page.bytes(), "td", row_cell, "lastpost", download_time,
                                      NumericDates::MonthDayYear);
}

// showthread's <div id="posts">, forumdisplay's <table id="threadslist"> (sub-forums' forumbits
// above it), forumhome's statistics box "What's Going On" (collapseobj_forumhome_stats and its kin).
PageShape page_kind(std::string_view page) {
    if (holds_any(page, {"<div id=\"posts\""})) return {PageKind::TopicPage};
    if (const std::size_t threads = page.find("id=\"threadslist\""); threads != std::string_view::npos)
        return {PageKind::ForumPage, threads};
    if (holds_any(page, {"collapseobj_forumhome_"})) return {PageKind::BoardIndex};
    return {};
}

// The navbar's first link to the forum home: <a href="index.php" accesskey="1">.
std::string_view board_index_link(std::string_view page) { return href_of_anchor_holding(page, "accesskey=\"1\""); }

}  // namespace

const ForumEngine forum_engine::vbulletin3 = {"vbulletin3", "vBulletin 3", recognises, count, newest_post, page_kind, board_index_link};
