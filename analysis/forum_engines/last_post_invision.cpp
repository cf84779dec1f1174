#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/last_post_readers.h"
#include "analysis/html_markup.h"

// IP.Board 3: <ul class='last_post'> holds the topic's link, then the date as the text of the link
// to the last post (...?view=getlastpost): "Yesterday, 06:32 AM", "10 March 2018 - 04:11 PM".
std::string newest_post_ipb3(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::None);
    for_each_element(page.bytes(), "ul", "last_post", [&](std::string_view, std::string_view box) {
        for_each_element(box, "a", "", [&](std::string_view tag, std::string_view text) {
            if (attribute(tag, "href").find("getlastpost") != std::string_view::npos)
                read_last_post_cell(text, newest, true);
        });
    });
    return newest.newest();
}

// Invision Community 4: <ul class="ipsDataItem_lastPoster"> with <time datetime="...">.
std::string newest_post_invision4(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "ul", "ipsDataItem_lastPoster", download_time, NumericDates::None);
}
