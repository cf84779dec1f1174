#include "analysis/forum_engines/engine_names.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

// The category table has <td class="BigCount CountDiscussions"> and <td class="BigCount
// CountComments">; the list layout writes the same counts in <span class="MItem MItem-Count
// DiscussionCount"> and "... CommentCount" (discussion rows use "MCount" instead, and are no
// category's). Each count is <span title="1,234 discussions" class="Number">1.2K</span>: the
// title, labelled in the board's language, holds the exact figure.
ForumFigures read_vanilla(const PageLines& page) {
    const std::string_view text = page.bytes();
    PostCounter counter;
    const auto count = [&](std::string_view, std::string_view content) { count_cell_numbers(content, counter); };
    for (const char* column : {"CountDiscussions", "CountComments"}) for_each_element(text, "td", column, count);
    const auto list_count = [](std::string_view tag) {
        return has_class(tag, "MItem-Count") && (has_class(tag, "DiscussionCount") || has_class(tag, "CommentCount"));
    };
    if (counter.count() == 0) for_each_element_if(text, "span", list_count, count);
    return engine_figures(counter, engine_name::Vanilla);
}
