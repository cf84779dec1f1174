#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

namespace {

// Both versions mark their page in <html id="..."> and hold each node's counts in the <dd>s of
// one stats <div>, threads (discussions) first, then messages.
ForumFigures read_node_stats(const PageLines& page, std::string_view html_start, std::string_view stats_class,
                             const char* engine) {
    const std::string_view text = page.bytes();
    if (text.find(html_start) == std::string_view::npos) return {};
    PostCounter counter;
    for_each_element(text, "div", stats_class, [&](std::string_view, std::string_view stats) {
        count_element_numbers(stats, "dd", "", counter);
    });
    return engine_figures(counter, engine);
}

}  // namespace

// <div class="node-stats">; the compact copy in "node-statsMeta" repeats the figures and is not counted.
ForumFigures read_xenforo2(const PageLines& page) {
    return read_node_stats(page, "<html id=\"XF\"", "node-stats", "XenForo 2");
}

// <div class="nodeStats ..."> of <dl><dt>label</dt> <dd>count</dd></dl> pairs (themes may put an
// icon in the <dt>); themes that repeat the figures do so in boxes of their own classes.
ForumFigures read_xenforo1(const PageLines& page) {
    return read_node_stats(page, "<html id=\"XenForo\"", "nodeStats", "XenForo 1");
}
