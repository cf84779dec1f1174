#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/last_post_readers.h"

// The forum row's last-post cell links "showthread.php?tid=N&amp;action=lastpost" and shows
// "03-10-2018, 04:11 PM", or <span title="03-24-2018, 07:09 PM">6 hours ago</span>.
std::string newest_post_mybb(const PageLines& page, std::int64_t download_time) {
    const auto row_cell = [](std::string_view tag) { return has_class(tag, "trow1") || has_class(tag, "trow2"); };
    return newest_in_elements_holding(page.bytes(), "td", row_cell, "action=lastpost", download_time,
                                      NumericDates::MonthDayYear);
}
