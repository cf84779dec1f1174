#include "analysis/forum_engines/engine_counting.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

namespace {

// The page script's gdn.meta and the <body id="vanilla_categories_index"> of its pages.
bool recognises(std::string_view page) { return holds_any(page, {"gdn.meta", "<body id=\"vanilla_"}); }

// The category table has <td class="BigCount CountDiscussions"> and <td class="BigCount
// CountComments">; the list layout writes the same counts in <span class="MItem MItem-Count
// DiscussionCount"> and "... CommentCount" (discussion rows use "MCount" instead, and are no
// category's). Each count is <span title="1,234 discussions" class="Number">1.2K</span>: the
// title, labelled in the board's language, holds the exact figure.
void count(const PageLines& page, PostCounter& counter) {
    const std::string_view text = page.bytes();
    const auto count = [&](std::string_view, std::string_view content) { count_cell_numbers(content, counter); };
    for (const char* column : {"CountDiscussions", "CountComments"}) for_each_element(text, "td", column, count);
    const auto list_count = [](std::string_view tag) {
        return has_class(tag, "MItem-Count") && (has_class(tag, "DiscussionCount") || has_class(tag, "CommentCount"));
    };
    if (counter.count() == 0) for_each_element_if(text, "span", list_count, count);
}

// The category table's <td class="... LatestPost">: the latest discussion's link, its author and
// <time datetime="..."> inside the link to the comment.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "td", "LatestPost", download_time, NumericDates::None);
}

// The body's id names controller and method: vanilla_discussion_index (a discussion),
// vanilla_discussions_index (the discussion list, a topic list), vanilla_categories_index or
// _all (the category list; one category's page carries a "Section-Category-..." body class).
PageShape page_kind(std::string_view page) {
    const std::string_view body = first_start_tag(page, "body");
    const std::string_view id = attribute(body, "id");
    if (id == "vanilla_discussion_index") return {PageKind::TopicPage};
    if (id == "vanilla_discussions_index") return {PageKind::ForumPage};
    if (id == "vanilla_categories_index" || id == "vanilla_categories_all")
        return {attribute(body, "class").find("Section-Category-") != std::string_view::npos ? PageKind::ForumPage
                                                                                             : PageKind::BoardIndex};
    return {};
}

// The category list (".../categories"), the board's index of forums; else the breadcrumb's home.
std::string_view board_index_link(std::string_view page) {
    const std::string_view link = href_ending_with(page, "/categories");
    return link.empty() ? first_href_behind(page, "HomeCrumb") : link;
}

}  // namespace

const ForumEngine forum_engine::vanilla = {"vanilla", "Vanilla", recognises, count, newest_post, page_kind, board_index_link};
