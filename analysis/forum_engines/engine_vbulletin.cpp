#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/engine_names.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

#include <optional>

namespace {

constexpr std::string_view kCellEnd = "</td>";

// The number a cell holds alone, from start (behind its start tag) to its "</td>"; next is set
// behind the end tag. A bare cell ends at its first '<', so the search stops there: a cell left
// open ends at the next tag instead of sending every such cell to the end of the page.
std::optional<std::int32_t> bare_cell_number(std::string_view text, std::size_t start, std::size_t& next) {
    const std::size_t end = text.find('<', start);
    if (end == std::string_view::npos || text.substr(end, kCellEnd.size()) != kCellEnd) return std::nullopt;
    const std::string_view cell = text.substr(start, end - start);
    next = end + kCellEnd.size();
    return parse_board_number(cell);
}

}  // namespace

// A forum row ends with <td class="alt1">threads</td> and <td class="alt2">posts</td>, side by
// side; the same classes elsewhere hold words, icons or last-post boxes.
ForumFigures read_vbulletin3(const PageLines& page) {
    constexpr std::string_view kThreads = "<td class=\"alt1\">";
    constexpr std::string_view kPosts = "<td class=\"alt2\">";
    const std::string_view text = page.bytes();
    PostCounter counter;
    for (std::size_t pos = text.find(kThreads); pos != std::string_view::npos; pos = text.find(kThreads, pos + 1)) {
        std::size_t next = 0;
        const auto threads = bare_cell_number(text, pos + kThreads.size(), next);
        if (!threads) continue;
        next = text.find_first_not_of(" \t\r\n", next);
        if (next == std::string_view::npos || text.substr(next, kPosts.size()) != kPosts) continue;
        const auto posts = bare_cell_number(text, next + kPosts.size(), next);
        if (!posts) continue;
        counter.add(*threads);
        counter.add(*posts);
    }
    return engine_figures(counter, engine_name::VBulletin3);
}

// <ul class="forumstats td"><li>Threads: 79</li><li>Posts: 591</li></ul>, for a forum on the
// top level "forumstats_2"; the labels are translated on other boards.
ForumFigures read_vbulletin4(const PageLines& page) {
    PostCounter counter;
    const auto stats_list = [](std::string_view tag) { return has_class(tag, "forumstats") || has_class(tag, "forumstats_2"); };
    for_each_element_if(page.bytes(), "ul", stats_list, [&](std::string_view, std::string_view stats) {
        for_each_element(stats, "li", "", [&](std::string_view, std::string_view item) {
            if (const auto value = parse_labelled_number(leading_text(item))) counter.add(*value);
        });
    });
    return engine_figures(counter, engine_name::VBulletin4);
}

// Forum rows carry <td class="... topics-count">N</td> and <td class="... posts-count">N</td>.
ForumFigures read_vbulletin5(const PageLines& page) {
    PostCounter counter;
    count_element_numbers(page.bytes(), "td", "topics-count", counter);
    count_element_numbers(page.bytes(), "td", "posts-count", counter);
    return engine_figures(counter, engine_name::VBulletin5);
}
