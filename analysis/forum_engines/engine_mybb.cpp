#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/engine_names.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

// A forum row's count cells are <td class="trow1|trow2" ... style="white-space: nowrap"> with the
// number first ("87<span ...> Replies</span>", "5,736"); themes swap their order. The last-post
// cell is nowrap too but begins with markup, so it gives no number.
ForumFigures read_mybb(const PageLines& page) {
    PostCounter counter;
    const auto count_cell = [](std::string_view tag) {
        return (has_class(tag, "trow1") || has_class(tag, "trow2")) &&
               attribute(tag, "style").find("nowrap") != std::string_view::npos;
    };
    for_each_element_if(page.bytes(), "td", count_cell, [&](std::string_view, std::string_view content) {
        if (const auto value = parse_board_number(leading_text(content))) counter.add(*value);
    });
    return engine_figures(counter, engine_name::MyBB);
}
