#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

// <html id="XF" ...>; each node's <div class="node-stats"> holds <dd> threads, then messages.
// The compact copy in "node-statsMeta" repeats them and is not counted.
ForumFigures read_xenforo2(const PageLines& page) {
    const std::string_view text = page.bytes();
    if (text.find("<html id=\"XF\"") == std::string_view::npos) return {};
    PostCounter counter;
    for_each_element(text, "div", "node-stats", [&](std::string_view, std::string_view stats) {
        count_element_numbers(stats, "dd", "", counter);
    });
    return engine_figures(counter, "XenForo 2");
}
