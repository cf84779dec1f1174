#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/forum_engines/markup.h"

// The index's forum rows: <td class="tc2">topics</td><td class="tc3">posts</td>.
ForumFigures read_fluxbb(const PageLines& page) {
    PostCounter counter;
    for (const char* column : {"tc2", "tc3"}) {
        for_each_element(page.bytes(), "td", column, [&](std::string_view, std::string_view content) {
            if (const auto value = parse_board_number(first_text(content))) counter.add(*value);
        });
    }
    return engine_figures(counter, "FluxBB");
}
