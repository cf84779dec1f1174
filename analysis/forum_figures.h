#pragma once

#include "analysis/calendar_day.h"
#include "analysis/page_lines.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// What a page of a forum engine is: its board index (every forum of the board listed), a forum
// page (a topic list, perhaps with sub-forum rows above it), a topic page, or another page (or one
// whose kind its engine's markup does not tell), read as a board index is.
enum class PageKind { Other, BoardIndex, ForumPage, TopicPage };

// What a forum page shows of its activity: how many numbers were counted, their average (rounded
// down) and the largest of them, both 0 and meaningless while numbers is 0; the engine that
// recognised the page, by its stable id and its display name (both empty for the classic "row2"
// rule), recognised even where its counts could not be read; the date of the newest post its
// forums show, none when the page shows none that can be read; the page's kind by its engine's
// markup and, on a recognised engine's page, the link to its board index as the page writes it
// (character references decoded, not resolved), or empty.
struct ForumFigures {
    std::int64_t average = 0;
    std::int32_t max = 0;
    std::int64_t numbers = 0;
    std::string engine;
    std::optional<CalendarDay> newest_post = {};
    std::string engine_id = {};
    PageKind page_kind = PageKind::Other;
    std::string board_index_link = {};
    // How a reader without an engine record read the page, for the log ("Read as a forum list:
    // 12 forums, captions Topics / Posts"); empty for the records and the classic rule.
    std::string reading = {};
};

// The figures as the results list and the files write them: the average and the maximum as
// decimal text, empty when nothing was counted; the newest post as "YYYY-MM-DD", or empty.
std::string average_text(const ForumFigures& figures);
std::string max_text(const ForumFigures& figures);
std::string newest_post_text(const ForumFigures& figures);

// The classic rule: the first table cell of every "row2" line.
ForumFigures read_row2_counts(const PageLines& page);

// The classic rule's figures, and whether the first line it counted holds "row2" only inside
// another class word (MyBB's "trow2"), not as the class of its own that subSilver writes.
struct Row2Reading {
    ForumFigures figures;
    bool inside_other_class = false;
};
// also_read(i) is called for each line i that holds "row2" but gave no count, so that another
// reading of those lines shares the pass.
Row2Reading read_row2_lines(const PageLines& page, const std::function<void(std::size_t line)>& also_read = nullptr);
