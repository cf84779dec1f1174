#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

// prosilver and the styles built on it: <dd class="topics">145 <dfn>Topics</dfn></dd> and the
// same with "posts" per forum. The column captions use the same classes without a number.
ForumFigures read_phpbb3(const PageLines& page) {
    const std::string_view text = page.bytes();
    PostCounter counter;
    for (const char* column : {"topics", "posts"}) {
        for_each_element(text, "dd", column, [&](std::string_view, std::string_view content) {
            const std::string_view number = leading_text(content);
            if (!content.substr(number.size()).starts_with("<dfn>")) return;
            if (const auto value = parse_board_number(number)) counter.add(*value);
        });
    }
    return engine_figures(counter, "phpBB 3");
}
