#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/engine_names.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

#include <string_view>
#include <vector>

namespace {

// Where the counts stand: in a cell of their own, whose every run of text is a count, or in the
// 2.1 stats box, where themes may also set the labels apart ("<strong>Posts:</strong> 1,234").
enum class Holder { Cell, StatsBox };

// The counts of a board: posts and topics, each with its label in the board's language on
// either side ("54725 Posts <br />11414 Topics", "7 İleti<br> 1 Konu"), or a bare number alone
// in a cell where a theme gives each count its own. Anything else (names, descriptions, last
// posts, a redirect board's one count) gives none.
std::vector<std::int32_t> board_counts(std::string_view cell, Holder holder) {
    std::vector<std::int32_t> counts;
    bool other_text = false;
    std::size_t runs = 0;
    for_each_text_run(cell, [&](std::string_view run) {
        ++runs;
        if (const auto value = parse_labelled_number(run)) counts.push_back(*value);
        else if (holder == Holder::Cell || run.find_first_of("0123456789") != std::string_view::npos) other_text = true;
    });
    const bool bare_number = holder == Holder::Cell && runs == 1 && parse_board_number(first_text(cell)).has_value();
    if (other_text || !(counts.size() == 2 || bare_number)) counts.clear();
    return counts;
}

// SMF's own classes for the cells of its board index.
bool is_board_cell(std::string_view tag) {
    const std::string_view classes = attribute(tag, "class");
    return classes.find("windowbg") != std::string_view::npos || has_class(tag, "stats");
}

}  // namespace

// SMF 2.1: each board's <div class="board_stats"><p>label: N<br>label: N</p></div>. Themes that
// write the box themselves inside the index's own one are counted once, by the inner box.
ForumFigures read_smf21(const PageLines& page) {
    PostCounter counter;
    for_each_element(page.bytes(), "div", "board_stats", [&](std::string_view, std::string_view stats) {
        if (stats.find("board_stats") != std::string_view::npos) return;
        for (std::int32_t value : board_counts(stats, Holder::StatsBox)) counter.add(value);
    });
    return engine_figures(counter, engine_name::Smf21);
}

// SMF 1.1 and 2.0 (the page's scripts set smf_scripturl): the board's counts stand in a
// "windowbg" cell (2.0: also "stats") as posts, <br />, topics, labels after the numbers; some
// themes give each its own cell.
ForumFigures read_smf1(const PageLines& page) {
    const std::string_view text = page.bytes();
    if (text.find("smf_scripturl") == std::string_view::npos) return {};
    PostCounter counter;
    for_each_element_if(text, "td", is_board_cell, [&](std::string_view, std::string_view cell) {
        for (std::int32_t value : board_counts(cell, Holder::Cell)) counter.add(value);
    });
    return engine_figures(counter, engine_name::Smf1);
}
