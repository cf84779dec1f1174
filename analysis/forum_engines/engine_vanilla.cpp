#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

// Category rows: <td class="... CountDiscussions"> and <td class="... CountComments">, showing a
// short form ("1.2K") with the exact count in the title of the element inside.
ForumFigures read_vanilla(const PageLines& page) {
    PostCounter counter;
    for (const char* column : {"CountDiscussions", "CountComments"}) {
        for_each_element(page.bytes(), "td", column, [&](std::string_view, std::string_view content) {
            count_cell_numbers(content, counter);
        });
    }
    return engine_figures(counter, "Vanilla");
}
