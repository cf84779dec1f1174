#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"
#include "analysis/forum_engines/xenforo_node_stats.h"

namespace {

constexpr std::string_view kPageMark = "<html id=\"XF\"";

bool recognises(std::string_view page) { return holds_any(page, {kPageMark}); }

// <div class="node-stats">; the compact copy in "node-statsMeta" repeats the figures and is
// counted only on pages whose theme moves the stats out of their own column.
void count(const PageLines& page, PostCounter& counter) {
    if (recognises(page.bytes())) count_node_stats(page.bytes(), "node-stats", "node-statsMeta", counter);
}

// <div class="node-extra"> with <time class="node-extra-date u-dt" datetime="2018-03-16T17:52:18-0400" ...>.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "div", "node-extra", download_time, NumericDates::None);
}

// <html id="XF" ... data-template="forum_list|forum_view|category_view|thread_view">. A forum's
// threads stand in <div class="structItemContainer">; its sub-forums are node rows above them.
PageShape page_kind(std::string_view page) {
    const std::string_view name = attribute(first_start_tag(page, "html"), "data-template");
    if (name == "thread_view") return {PageKind::TopicPage};
    if (name == "forum_view" || name == "category_view")
        return {PageKind::ForumPage, find_element_with_class(page, "div", "structItemContainer")};
    if (name == "forum_list") return {PageKind::BoardIndex};
    return {};
}

// The navigation's "Forums" tab (data-nav-id="forums"), else the breadcrumb's first link: a
// board with a home page set puts that home before the forums there.
std::string_view board_index_link(std::string_view page) {
    const std::string_view link = href_of_anchor_holding(page, "data-nav-id=\"forums\"");
    return link.empty() ? first_href_behind(page, "class=\"p-breadcrumbs") : link;
}

}  // namespace

const ForumEngine forum_engine::xenforo2 = {"xenforo2", "XenForo 2", recognises, count, newest_post, page_kind, board_index_link};
