#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

// <html id="XenForo" ...>; each node's <div class="nodeStats ..."> holds <dl><dt>label</dt>
// <dd>count</dd></dl> for discussions, then messages. Themes that repeat the figures do so in
// boxes of their own classes, which are not counted.
ForumFigures read_xenforo1(const PageLines& page) {
    const std::string_view text = page.bytes();
    if (text.find("<html id=\"XenForo\"") == std::string_view::npos) return {};
    PostCounter counter;
    for_each_element(text, "div", "nodeStats", [&](std::string_view, std::string_view stats) {
        count_element_numbers(stats, "dd", "", counter);
    });
    return engine_figures(counter, "XenForo 1");
}
