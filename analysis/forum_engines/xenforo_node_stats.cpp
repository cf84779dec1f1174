#include "analysis/forum_engines/xenforo_node_stats.h"

#include "analysis/forum_engines/engine_counting.h"
#include "analysis/html_markup.h"

void count_node_stats(std::string_view page, std::string_view stats_class, std::string_view compact_class,
                      PostCounter& counter) {
    bool stats_boxes = false;
    const auto count = [&](std::string_view, std::string_view stats) {
        stats_boxes = true;
        count_element_numbers(stats, "dd", "", counter);
    };
    for_each_element(page, "div", stats_class, count);
    if (!stats_boxes && !compact_class.empty()) for_each_element(page, "div", compact_class, count);
}
