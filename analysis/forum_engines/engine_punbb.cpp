#include "analysis/forum_engines/engine_names.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

// PunBB 1.3 and 1.4: each forum's <ul class="item-info"> holds <li class="info-topics"> and
// <li class="info-posts">, the count in <strong> beside a translated label.
ForumFigures read_punbb(const PageLines& page) {
    PostCounter counter;
    for (const char* column : {"info-topics", "info-posts"})
        for_each_element(page.bytes(), "li", column,
                         [&](std::string_view, std::string_view item) { count_cell_numbers(item, counter); });
    return engine_figures(counter, engine_name::PunBB);
}
