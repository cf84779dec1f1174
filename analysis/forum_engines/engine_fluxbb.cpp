#include "analysis/forum_engines/engine_names.h"
#include "analysis/forum_engines/forum_engines.h"

// The index's forum rows: <td class="tc2">topics</td><td class="tc3">posts</td>, as FluxBB writes
// them and PunBB did up to 1.2, from which it grew.
ForumFigures read_fluxbb(const PageLines& page) {
    PostCounter counter;
    count_element_numbers(page.bytes(), "td", "tc2", counter);
    count_element_numbers(page.bytes(), "td", "tc3", counter);
    return engine_figures(counter, engine_name::FluxBB);
}
