#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/last_post_readers.h"

// vBulletin prints "03-10-2018" (month-day-year) by default; boards often switch to day first.

// The forumhome_lastpostby box sits in a <td class="alt1|alt2"> of the forum row, beside the count
// cells of the same classes; it alone links the last post ("lastpost" in its link or image).
std::string newest_post_vbulletin3(const PageLines& page, std::int64_t download_time) {
    const auto row_cell = [](std::string_view tag) { return has_class(tag, "alt1") || has_class(tag, "alt2"); };
    return newest_in_elements_holding(page.bytes(), "td", row_cell, "lastpost", download_time,
                                      NumericDates::MonthDayYear);
}

// <p class="lastpostdate">Today, <span class="time">09:36 PM</span></p>.
std::string newest_post_vbulletin4(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "p", "lastpostdate", download_time, NumericDates::MonthDayYear);
}

// The forum list's <td class="cell-lastpost">.
std::string newest_post_vbulletin5(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "td", "cell-lastpost", download_time, NumericDates::MonthDayYear);
}
