#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

// Each board's <div class="board_stats"> prints "Posts: N" then "Topics: N", labels translated.
ForumFigures read_smf21(const PageLines& page) {
    PostCounter counter;
    for_each_element(page.bytes(), "div", "board_stats", [&](std::string_view, std::string_view stats) {
        for_each_text_run(stats, [&](std::string_view run) {
            if (const auto value = parse_labelled_number(run)) counter.add(*value);
        });
    });
    return engine_figures(counter, "SMF 2.1");
}
