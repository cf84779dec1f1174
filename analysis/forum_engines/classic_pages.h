#pragma once

#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_figures.h"
#include "analysis/page_lines.h"

#include <cstdint>
#include <optional>

// The classic "row2" rule's reading of a page, with the date of the newest post its row2 cells
// show where a download_time is given (read in the same pass).
Row2Reading read_row2_page(const PageLines& page, std::optional<std::int64_t> download_time);

// A page the classic rule reads, told by engine, the first record that recognises it (phpBB 3's
// subsilver2 and Forumotion's phpBB2-like layout write row2 cells too), else (none) by phpBB's own
// addresses as a phpBB 2 page: a topic page gives no figures, a forum page only the row2 cells above its topic list (a
// topic row's replies and views are no forum's counts); both name their engine and carry the
// board index link. classic (the rule's figures of the whole page) stands for any other page.
ForumFigures classic_page_figures(const PageLines& page, ForumFigures classic,
                                  std::optional<std::int64_t> download_time, const ForumEngine* engine);
