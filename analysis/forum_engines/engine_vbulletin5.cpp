#include "analysis/forum_engines/engine_counting.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

namespace {

// The generator <meta>, and the forum list's channel rows.
bool recognises(std::string_view page) {
    return generator_starts_with(page, "vBulletin 5") || holds_any(page, {"forum-list-container", "cell-lastpost"});
}

// Forum rows carry <td class="... topics-count">N</td> and <td class="... posts-count">N</td>.
void count(const PageLines& page, PostCounter& counter) {
    count_element_numbers(page.bytes(), "td", "topics-count", counter);
    count_element_numbers(page.bytes(), "td", "posts-count", counter);
}

// The forum list's <td class="cell-lastpost">, month first by default.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "td", "cell-lastpost", download_time, NumericDates::MonthDayYear);
}

// Written from the default theme's class names, not verified against served pages: a topic's
// <ul class="conversation-list ... thread-view"> of <li class="b-post ..."> (the starter and each
// reply), a channel's <div class="topic-list-container"> or its <tr class="topic-item"> rows, the
// forum list's "forum-list-container".
PageShape page_kind(std::string_view page) {
    if (find_element_with_class(page, "ul", "thread-view") != std::string_view::npos ||
        find_element_with_class(page, "li", "b-post") != std::string_view::npos)
        return {PageKind::TopicPage};
    std::size_t topics = find_element_with_class(page, "div", "topic-list-container");
    if (topics == std::string_view::npos) topics = find_element_with_class(page, "tr", "topic-item");
    if (topics != std::string_view::npos) return {PageKind::ForumPage, topics};
    if (holds_any(page, {"forum-list-container"})) return {PageKind::BoardIndex};
    return {};
}

// The breadcrumb's first crumb: <ul class="breadcrumbs"><li class="crumb"><a href="...">.
std::string_view board_index_link(std::string_view page) { return first_href_behind(page, "class=\"breadcrumbs"); }

}  // namespace

const ForumEngine forum_engine::vbulletin5 = {"vbulletin5", "vBulletin 5", recognises, count, newest_post, page_kind, board_index_link};
