#include "analysis/forum_engines/engine_names.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

// IP.Board 3: each forum row's <td class="col_c_stats ..."> lists <li><strong>N</strong> label</li>
// for topics and replies (boards built on the same markup put the label first); skins that show
// the figures under the forum's name write <div class="forum_stats"><span>label:</span> N ...</div>
// instead, on a page whose forum tables are "ipb_table".
ForumFigures read_ipboard3(const PageLines& page) {
    const std::string_view text = page.bytes();
    PostCounter counter;
    const auto count = [&](std::string_view, std::string_view cell) { count_cell_numbers(cell, counter); };
    for_each_element(text, "td", "col_c_stats", count);
    if (counter.count() == 0 && text.find("ipb_table") != std::string_view::npos)
        for_each_element(text, "div", "forum_stats", count);
    return engine_figures(counter, engine_name::IpBoard3);
}
