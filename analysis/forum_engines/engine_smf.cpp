#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

#include <string_view>
#include <vector>

namespace {

// The counts of a board's count cell: two runs of text, each one count with its label in the
// board's language on either side ("54725 Posts <br />11414 Topics", "7 İleti<br> 1 Konu"), or a
// bare number alone where a theme gives each count its own cell. Anything else (names,
// descriptions, last posts, a redirect board's one labelled count) gives none.
std::vector<std::int32_t> board_counts(std::string_view cell) {
    std::vector<std::int32_t> counts;
    bool other_text = false;
    std::size_t runs = 0;
    for_each_text_run(cell, [&](std::string_view run) {
        ++runs;
        const auto value = parse_labelled_number(run);
        if (value) counts.push_back(*value);
        else other_text = true;
    });
    const bool bare_number = runs == 1 && parse_board_number(first_text(cell)).has_value();
    if (other_text || !(runs == 2 || bare_number)) counts.clear();
    return counts;
}

void count_board_cells(std::string_view page, std::string_view tag, std::string_view class_name, PostCounter& counter) {
    for_each_element(page, tag, class_name, [&](std::string_view, std::string_view cell) {
        for (std::int32_t value : board_counts(cell)) counter.add(value);
    });
}

// SMF's own classes for the cells of its board index.
bool is_board_cell(std::string_view tag) {
    const std::string_view classes = attribute(tag, "class");
    return classes.find("windowbg") != std::string_view::npos || has_class(tag, "stats");
}

}  // namespace

// SMF 2.1: each board's <div class="board_stats"><p>label: N<br>label: N</p></div>.
ForumFigures read_smf21(const PageLines& page) {
    PostCounter counter;
    count_board_cells(page.bytes(), "div", "board_stats", counter);
    return engine_figures(counter, "SMF 2.1");
}

// SMF 1.1 and 2.0 (the page's scripts set smf_scripturl): the board's counts stand in a
// "windowbg" cell (2.0: also "stats") as posts, <br />, topics, labels after the numbers; some
// themes give each its own cell.
ForumFigures read_smf1(const PageLines& page) {
    const std::string_view text = page.bytes();
    if (text.find("smf_scripturl") == std::string_view::npos) return {};
    PostCounter counter;
    for_each_element_if(text, "td", is_board_cell, [&](std::string_view, std::string_view cell) {
        for (std::int32_t value : board_counts(cell)) counter.add(value);
    });
    return engine_figures(counter, "SMF 1.1 / 2.0");
}
