#include "analysis/forum_engines/engine_names.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

namespace {

// Both versions mark their page in <html id="..."> and hold each node's counts in the <dd>s of
// one stats <div>, threads (discussions) first, then messages. A page without any such <div>
// is read in the compact boxes of compact_class instead, where a theme shows the counts only there.
ForumFigures read_node_stats(const PageLines& page, std::string_view html_start, std::string_view stats_class,
                             std::string_view compact_class, const char* engine) {
    const std::string_view text = page.bytes();
    if (text.find(html_start) == std::string_view::npos) return {};
    PostCounter counter;
    bool stats_boxes = false;
    const auto count = [&](std::string_view, std::string_view stats) {
        stats_boxes = true;
        count_element_numbers(stats, "dd", "", counter);
    };
    for_each_element(text, "div", stats_class, count);
    if (!stats_boxes && !compact_class.empty()) for_each_element(text, "div", compact_class, count);
    return engine_figures(counter, engine);
}

}  // namespace

// <div class="node-stats">; the compact copy in "node-statsMeta" repeats the figures and is
// counted only on pages whose theme moves the stats out of their own column.
ForumFigures read_xenforo2(const PageLines& page) {
    return read_node_stats(page, "<html id=\"XF\"", "node-stats", "node-statsMeta", engine_name::XenForo2);
}

// <div class="nodeStats ..."> of <dl><dt>label</dt> <dd>count</dd></dl> pairs (themes may put an
// icon in the <dt>); themes that repeat the figures do so in boxes of their own classes.
ForumFigures read_xenforo1(const PageLines& page) {
    return read_node_stats(page, "<html id=\"XenForo\"", "nodeStats", "", engine_name::XenForo1);
}
