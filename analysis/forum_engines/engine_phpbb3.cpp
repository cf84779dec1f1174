#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/engine_names.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

// prosilver and the styles built on it: <dd class="topics">145 <dfn>Topics</dfn></dd> and the
// same with "posts" per forum, in a row whose title is <a class="forumtitle">. Indexes that
// also list announcements or recent topics write their rows with the same columns under a
// "topictitle" anchor; those replies are no forum's counts. The column captions use the same
// classes without a number. The <a> and <dd> tags are read in page order, each once.
ForumFigures read_phpbb3(const PageLines& page) {
    constexpr auto npos = std::string_view::npos;
    const std::string_view text = page.bytes();
    PostCounter counter;
    bool forum_row = true;
    std::size_t anchor = find_start_tag(text, "a", 0);
    for (std::size_t pos = find_start_tag(text, "dd", 0); pos != npos; pos = find_start_tag(text, "dd", pos + 1)) {
        // The row is the one of the last title anchor in front of this cell.
        for (; anchor != npos && anchor < pos; anchor = find_start_tag(text, "a", anchor + 1)) {
            const std::string_view title = tag_at(text, anchor);
            if (has_class(title, "forumtitle")) forum_row = true;
            else if (has_class(title, "topictitle")) forum_row = false;
        }
        const std::string_view tag = tag_at(text, pos);
        if (!forum_row || !(has_class(tag, "topics") || has_class(tag, "posts"))) continue;
        const std::string_view content = element_content(text, pos, "dd");
        const std::string_view number = leading_text(content);
        if (!content.substr(number.size()).starts_with("<dfn>")) continue;
        if (const auto value = parse_board_number(number)) counter.add(*value);
    }
    return engine_figures(counter, engine_name::PhpBB3);
}
