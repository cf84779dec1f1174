#include "analysis/forum_engines/forum_engines.h"

// Each forum row shows its post count as <dt class="ipsDataItem_stats_number">N</dt>.
ForumFigures read_invision4(const PageLines& page) {
    PostCounter counter;
    count_element_numbers(page.bytes(), "dt", "ipsDataItem_stats_number", counter);
    return engine_figures(counter, "Invision Community 4");
}
