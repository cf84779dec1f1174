#pragma once

#include "analysis/forum_figures.h"

#include <cstdint>
#include <optional>
#include <span>

// The engine readers in the order they are tried: the first one that counts a number names
// the page's engine.
std::span<const ForumPageReader> forum_engine_readers();

// Reads a forum page: with current_engines set, the engine readers in order, each of which
// reads only a page with its engine's markers and count cells; the classic "row2" rule reads
// every page none of them read, and reads alone a page whose counts it finds in cells of the
// class "row2" itself (phpBB 2 subSilver and its kin, never a current engine's markup). With
// current_engines off this is the classic rule alone.
// With a download_time (seconds since 1970: what relative words such as "Today" count from),
// also the date of the newest post the page shows, read in the same pass by the date reader of
// the engine whose counts were taken; without one, no date is read.
ForumFigures read_forum_page(const PageLines& page, bool current_engines,
                             std::optional<std::int64_t> download_time = std::nullopt);
