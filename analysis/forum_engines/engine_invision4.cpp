#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/engine_counting.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

namespace {

// The <body class="ipsApp ..."> of version 4, the ipsData lists of version 5.
bool recognises(std::string_view page) { return holds_any(page, {"ipsApp", "ipsDataItem", "ipsData__"}); }

// Calls visit(content) with what the first <li> of each <ul> of the class holds.
template <typename Visit>
void for_each_first_item(std::string_view text, std::string_view list_class, Visit visit) {
    for_each_element(text, "ul", list_class, [&](std::string_view, std::string_view list) {
        const std::size_t item = find_start_tag(list, "li", 0);
        if (item != std::string_view::npos) visit(element_content(list, item, "li"));
    });
}

// Each forum row shows its post count as <dt class="ipsDataItem_stats_number">N</dt>. The 4.x
// grid view writes it instead as the first <li> of <ul class="cForumGrid__title-stats">,
// labelled in the board's language ("45 posts"); a forum without posts has no such <li>, and
// its first one is then the followers link, not counted. Version 5 writes <ul class="ipsData__stats
// ipsData__stats--large"><li><span>N</span><span>posts</span></li>. Both show a short form from
// 1,000 on ("1.2k"), which is passed over.
void count(const PageLines& page, PostCounter& counter) {
    const std::string_view text = page.bytes();
    count_element_numbers(text, "dt", "ipsDataItem_stats_number", counter);
    if (counter.count() == 0)
        for_each_first_item(text, "cForumGrid__title-stats", [&](std::string_view item) {
            if (const auto value = parse_labelled_number(leading_text(item))) counter.add(*value);
        });
    if (counter.count() == 0)
        for_each_first_item(text, "ipsData__stats--large", [&](std::string_view item) {
            if (const auto value = parse_board_number(first_text(item))) counter.add(*value);
        });
}

// Version 4: <ul class="ipsDataItem_lastPoster"> with <time datetime="...">; version 5 the same
// time in each forum's <div class="ipsData__last">.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::None);
    const auto read = [&](std::string_view, std::string_view cell) { read_last_post_cell(cell, newest); };
    for_each_element(page.bytes(), "ul", "ipsDataItem_lastPoster", read);
    for_each_element(page.bytes(), "div", "ipsData__last", read);
    return newest.newest();
}

// Version 4 names the page's controller on its body: data-pagecontroller="index|forums|topic"
// (written in either letter case); a forum's topics stand in <ol class="... cForumTopicTable">,
// its sub-forums above. Version 5 names it as data-ips-controller on the body, and lists a
// forum's topics in <ul class="ipsData ... ipsData--topic-list">; written from its templates'
// names, not checked against served pages.
PageShape page_kind(std::string_view page) {
    const std::string_view body = first_start_tag(page, "body");
    std::string_view controller = attribute(body, "data-pagecontroller");
    if (controller.empty()) controller = attribute(body, "data-pageController");
    const bool version5 = controller.empty();
    if (version5) controller = attribute(body, "data-ips-controller");
    if (controller == "topic") return {PageKind::TopicPage};
    if (controller == "forums")
        return {PageKind::ForumPage, version5 ? find_element_with_class(page, "ul", "ipsData--topic-list")
                                              : find_element_with_class(page, "ol", "cForumTopicTable")};
    if (controller == "index") return {PageKind::BoardIndex};
    return {};
}

// The breadcrumb's first link (<ul data-role="breadcrumbList">), "Home": the forums' index.
std::string_view board_index_link(std::string_view page) { return first_href_behind(page, "data-role=\"breadcrumbList\""); }

}  // namespace

const ForumEngine forum_engine::invision4 = {"invision4", "Invision Community 4 / 5", recognises, count, newest_post, page_kind, board_index_link};
