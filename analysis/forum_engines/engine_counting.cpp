#include "analysis/forum_engines/engine_counting.h"

#include "analysis/forum_engines/board_number.h"
#include "analysis/html_markup.h"

void count_element_numbers(std::string_view text, std::string_view tag, std::string_view class_name,
                           PostCounter& counter) {
    for_each_element(text, tag, class_name, [&](std::string_view, std::string_view content) {
        if (const auto value = parse_board_number(first_text(content))) counter.add(*value);
    });
}

void count_cell_numbers(std::string_view cell, PostCounter& counter) {
    bool shown_by_title = false;
    for (std::size_t pos = 0; pos < cell.size();) {
        const std::size_t open = cell.find('<', pos);
        const std::string_view run = cell.substr(pos, open == std::string_view::npos ? open : open - pos);
        if (run.find_first_not_of(" \t\r\n") != std::string_view::npos) {
            if (!shown_by_title)
                if (const auto value = parse_labelled_number(run)) counter.add(*value);
            shown_by_title = false;
        }
        if (open == std::string_view::npos) break;
        const std::size_t close = cell.find('>', open);
        if (close == std::string_view::npos) break;
        // The title may label its figure too ("1,234 discussions" over "1.2K").
        if (const auto exact = parse_labelled_number(attribute(cell.substr(open, close + 1 - open), "title"))) {
            counter.add(*exact);
            shown_by_title = true;
        }
        pos = close + 1;
    }
}
