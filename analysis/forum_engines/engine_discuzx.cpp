#include "analysis/forum_engines/engine_names.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

// Discuz! X lists its forums in <table class="fl_tb">: the grid layout shows each forum's
// counts as <td class="fl_g"> ... <dd><em>label: N</em>, <em>label: N</em></dd>, the list layout
// as <td class="fl_i"><span>N</span><span> / N</span></td>. From 10,000 on a count is shown
// short ("6万") with the exact figure in the title of its <span>.
ForumFigures read_discuzx(const PageLines& page) {
    const std::string_view text = page.bytes();
    if (text.find("fl_tb") == std::string_view::npos) return {};
    PostCounter counter;
    const auto count = [&](std::string_view, std::string_view cell) { count_cell_numbers(cell, counter); };
    // The <em> beside the forum's name in its <dt> holds today's posts, no total.
    for_each_element(text, "td", "fl_g", [&](std::string_view, std::string_view forum) {
        for_each_element(forum, "dd", "", [&](std::string_view, std::string_view item) { for_each_element(item, "em", "", count); });
    });
    for_each_element(text, "td", "fl_i", count);
    return engine_figures(counter, engine_name::DiscuzX);
}
