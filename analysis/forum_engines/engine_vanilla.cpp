#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

#include <optional>

namespace {

// The cell shows a short form ("1.2K"); the exact count stands in a title attribute inside it.
std::optional<std::int32_t> titled_count(std::string_view cell) {
    for (std::size_t pos = cell.find('<'); pos != std::string_view::npos; pos = cell.find('<', pos + 1)) {
        const std::string_view title = attribute(tag_at(cell, pos), "title");
        if (!title.empty()) return parse_board_number(title);
    }
    return parse_board_number(first_text(cell));
}

}  // namespace

// Category rows: <td class="... CountDiscussions"> and <td class="... CountComments">.
ForumFigures read_vanilla(const PageLines& page) {
    PostCounter counter;
    for (const char* column : {"CountDiscussions", "CountComments"}) {
        for_each_element(page.bytes(), "td", column, [&](std::string_view, std::string_view content) {
            if (const auto value = titled_count(content)) counter.add(*value);
        });
    }
    return engine_figures(counter, "Vanilla");
}
