#pragma once

#include "analysis/forum_figures.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Reads a forum page: with current_engines set, the engine records in order. The first engine
// whose counter counts a number names the page's engine and gives its figures; a page none of
// them counts and the classic rule counts nothing on is still the first engine's that
// recognises it, without figures. The classic "row2" rule reads every page that no engine reads,
// and reads alone a page whose counts it finds in cells of the class "row2" itself (phpBB 2
// subSilver and its kin, never a current engine's markup). With current_engines off this is the
// classic rule alone.
// A recognised engine's page is read by its kind: a board index (or a page of another kind) whole,
// a forum page by its sub-forum rows above the topic list alone, a topic page not at all (it names
// its engine and kind, without figures); the figures then carry the kind and the board index link.
// A classic page is read by its kind too, where a record or phpBB's addresses tell it.
// With a download_time (seconds since 1970: what relative words such as "Today" count from),
// also the date of the newest post the page shows, read in the same pass by the engine the page
// was read as, or by the classic rule; without one, no date is read.
ForumFigures read_forum_page(const PageLines& page, bool current_engines,
                             std::optional<std::int64_t> download_time = std::nullopt);

// The board index that link (ForumFigures::board_index_link) leads to from the page at page_url:
// resolved against it, http or https on the page's own host, never the page itself (fragments
// aside); empty for any other link.
std::string board_index_url(std::string_view page_url, std::string_view link);
