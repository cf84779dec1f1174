#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/engine_names.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/html_markup.h"

namespace {

// Calls visit(content) with what the first <li> of each <ul> of the class holds.
template <typename Visit>
void for_each_first_item(std::string_view text, std::string_view list_class, Visit visit) {
    for_each_element(text, "ul", list_class, [&](std::string_view, std::string_view list) {
        const std::size_t item = find_start_tag(list, "li", 0);
        if (item != std::string_view::npos) visit(element_content(list, item, "li"));
    });
}

}  // namespace

// Each forum row shows its post count as <dt class="ipsDataItem_stats_number">N</dt>. The 4.x
// grid view writes it instead as the first <li> of <ul class="cForumGrid__title-stats">,
// labelled in the board's language ("45 posts"); a forum without posts has no such <li>, and
// its first one is then the followers link, not counted. Version 5 writes <ul class="ipsData__stats
// ipsData__stats--large"><li><span>N</span><span>posts</span></li>. Both show a short form from
// 1,000 on ("1.2k"), which is passed over.
ForumFigures read_invision4(const PageLines& page) {
    const std::string_view text = page.bytes();
    PostCounter counter;
    count_element_numbers(text, "dt", "ipsDataItem_stats_number", counter);
    if (counter.count() == 0)
        for_each_first_item(text, "cForumGrid__title-stats", [&](std::string_view item) {
            if (const auto value = parse_labelled_number(leading_text(item))) counter.add(*value);
        });
    if (counter.count() == 0)
        for_each_first_item(text, "ipsData__stats--large", [&](std::string_view item) {
            if (const auto value = parse_board_number(first_text(item))) counter.add(*value);
        });
    return engine_figures(counter, engine_name::Invision);
}
