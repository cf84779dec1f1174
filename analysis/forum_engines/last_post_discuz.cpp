#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/last_post_readers.h"

// Each forum's last post is a link to "...goto=lastpost#lastpost" holding a label and the time:
// "2018-3-11 17:08" (year first), or relative words in the board's language with that time in
// a tooltip (<span title="2018-3-19 08:53">).
std::string newest_post_discuz(const PageLines& page, std::int64_t download_time) {
    const auto last_post_link = [](std::string_view tag) {
        return attribute(tag, "href").find("goto=lastpost") != std::string_view::npos;
    };
    return newest_in_elements_holding(page.bytes(), "a", last_post_link, "", download_time, NumericDates::YearMonthDay,
                                      true);
}
