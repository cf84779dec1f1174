#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"
#include "analysis/forum_engines/xenforo_node_stats.h"

namespace {

constexpr std::string_view kPageMark = "<html id=\"XenForo\"";

bool recognises(std::string_view page) { return holds_any(page, {kPageMark}); }

// <div class="nodeStats ..."> of <dl><dt>label</dt> <dd>count</dd></dl> pairs (themes may put an
// icon in the <dt>); themes that repeat the figures do so in boxes of their own classes.
void count(const PageLines& page, PostCounter& counter) {
    if (recognises(page.bytes())) count_node_stats(page.bytes(), "nodeStats", "", counter);
}

// <div class="nodeLastPost"> with <abbr class="DateTime" data-time=... data-datestring="Mar 18, 2018">
// or, for older posts, <span class="DateTime" title="...">.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "div", "nodeLastPost", download_time, NumericDates::None);
}

// <div id="content" class="forum_list|forum_view|thread_view">; a forum's threads stand in
// <div class="discussionList ...">, its sub-forums' node rows above them.
PageShape page_kind(std::string_view page) {
    const std::size_t content = page.find("<div id=\"content\"");
    if (content == std::string_view::npos) return {};
    const std::string_view tag = tag_at(page, content);
    if (has_class(tag, "thread_view")) return {PageKind::TopicPage};
    if (has_class(tag, "forum_view")) return {PageKind::ForumPage, find_element_with_class(page, "div", "discussionList")};
    if (has_class(tag, "forum_list")) return {PageKind::BoardIndex};
    return {};
}

// The "Forums" tab's crumb (selectedTabCrumb) or the tab itself; the homeCrumb before it is the
// site's home.
std::string_view board_index_link(std::string_view page) {
    const std::string_view link = first_href_behind(page, "selectedTabCrumb");
    return link.empty() ? first_href_behind(page, "navTab forums") : link;
}

}  // namespace

const ForumEngine forum_engine::xenforo1 = {"xenforo1", "XenForo 1", recognises, count, newest_post, page_kind, board_index_link};
