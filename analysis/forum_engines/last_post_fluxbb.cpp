#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/last_post_readers.h"

// FluxBB and PunBB print the last post's time as the text of its link, by default
// "2018-03-10 16:11:00" (year first) or "Today 16:11:00".

// <td class="tcr"><a href="viewtopic.php?pid=N#pN">2018-03-10 16:11:00</a> <span class="byuser">...
std::string newest_post_fluxbb(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "td", "tcr", download_time, NumericDates::YearMonthDay, true);
}

// <li class="info-lastpost"><strong><a href="...">2018-03-10 16:11:00</a></strong> <cite>by ...</cite>
std::string newest_post_punbb(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "li", "info-lastpost", download_time, NumericDates::YearMonthDay, true);
}
