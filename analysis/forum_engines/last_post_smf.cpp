#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/last_post_readers.h"
#include "analysis/forum_engines/markup.h"

// SMF 1.1: <td class="windowbg2"> with "Last post by <a>name</a> in <a href="...?topic=N.msgM#new">
// subject</a> on March 20, 2018, 01:07 PM" (or "on <b>Today</b> at ..."); the link to the
// message's anchor tells it from the board's name cell.
std::string newest_post_smf1(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::None);
    for_each_element(page.bytes(), "td", "windowbg2", [&](std::string_view, std::string_view cell) {
        if (cell.find(".msg") != std::string_view::npos && cell.find("#new") != std::string_view::npos)
            read_last_post_cell(cell, newest);
    });
    return newest.newest();
}

// SMF 2.0 writes the same text into <td class="lastpost">, 2.1 into <div class="lastpost">.
std::string newest_post_smf2(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::None);
    for (const char* element : {"td", "div"})
        for_each_element(page.bytes(), element, "lastpost",
                         [&](std::string_view, std::string_view cell) { read_last_post_cell(cell, newest); });
    return newest.newest();
}
