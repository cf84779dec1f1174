#pragma once

#include "analysis/forum_figures.h"

#include <cstdint>
#include <optional>

// The board index of an engine that no record knows, read by the structure every board index
// shares: repeated rows, each with one link to a forum and one or two whole numbers that a column
// caption or a label beside them names as topics and posts (in the languages of
// forum_list_captions.cpp), and a last-post cell. The figures name the engine "generic" and say in
// `reading` what was read. nullopt, so that the page keeps what it had, unless that is
// unambiguous: at least two forum rows, their numbers under the same captions; never a topic list
// (captions such as Replies with Views or Author, counts in rows that link a topic). Runs after the
// records and the classic rule; tests run it alone to see what structure alone reads. One pass,
// memory bounded whatever the page holds. download_time as for read_forum_page.
std::optional<ForumFigures> read_forum_list(const PageLines& page, std::optional<std::int64_t> download_time);
