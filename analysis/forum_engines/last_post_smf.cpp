#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/last_post_readers.h"
#include "analysis/html_markup.h"

// SMF 1.1 writes "Last post by <a>name</a> in <a href="...?topic=N.msgM#new">subject</a> on March 20,
// 2018, 01:07 PM" (or "on <b>Today</b> at ...") into a <td class="windowbg2">, where only the link
// to the message's anchor tells it from the board's name cell; SMF 2.0 writes the same text into
// <td class="lastpost">.
std::string newest_post_smf1(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::None);
    const auto last_post_cell = [](std::string_view tag) { return has_class(tag, "lastpost") || has_class(tag, "windowbg2"); };
    for_each_element_if(page.bytes(), "td", last_post_cell, [&](std::string_view tag, std::string_view cell) {
        if (has_class(tag, "lastpost") ||
            (cell.find(".msg") != std::string_view::npos && cell.find("#new") != std::string_view::npos))
            read_last_post_cell(cell, newest);
    });
    return newest.newest();
}

// SMF 2.1: each board's <div class="lastpost">, the same words.
std::string newest_post_smf21(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "div", "lastpost", download_time, NumericDates::None);
}
