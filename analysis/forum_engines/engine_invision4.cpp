#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

// Each forum row shows its post count as <dt class="ipsDataItem_stats_number">N</dt>. The grid
// view writes it instead as the first <li> of <ul class="cForumGrid__title-stats">, labelled in
// the board's language and short from 1,000 on ("1.2k posts"; short forms are passed over). A
// forum without posts has no such <li>; its first one is then the followers link, not counted.
ForumFigures read_invision4(const PageLines& page) {
    const std::string_view text = page.bytes();
    PostCounter counter;
    count_element_numbers(text, "dt", "ipsDataItem_stats_number", counter);
    if (counter.count() == 0)
        for_each_element(text, "ul", "cForumGrid__title-stats", [&](std::string_view, std::string_view stats) {
            const std::size_t item = find_start_tag(stats, "li", 0);
            if (item == std::string_view::npos) return;
            if (const auto value = parse_labelled_number(leading_text(element_content(stats, item, "li")))) counter.add(*value);
        });
    return engine_figures(counter, "Invision Community 4");
}
