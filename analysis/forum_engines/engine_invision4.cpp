#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/forum_engines/markup.h"

// Each forum row shows its post count as <dt class="ipsDataItem_stats_number">N</dt>.
ForumFigures read_invision4(const PageLines& page) {
    PostCounter counter;
    for_each_element(page.bytes(), "dt", "ipsDataItem_stats_number", [&](std::string_view, std::string_view content) {
        if (const auto value = parse_board_number(first_text(content))) counter.add(*value);
    });
    return engine_figures(counter, "Invision Community 4");
}
