#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

ForumFigures engine_figures(const PostCounter& counter, const char* engine) {
    if (counter.count() == 0) return {};
    return ForumFigures{counter.average_text(), counter.max_text(), counter.count(), engine};
}

void count_element_numbers(std::string_view text, std::string_view tag, std::string_view class_name,
                           PostCounter& counter) {
    for_each_element(text, tag, class_name, [&](std::string_view, std::string_view content) {
        if (const auto value = parse_board_number(first_text(content))) counter.add(*value);
    });
}
