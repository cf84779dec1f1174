#include "analysis/forum_engines/json_scan.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/last_post_readers.h"

// The page script's window._ajaxifyData lists the categories; each one's "teaser" (its last post)
// and its "posts" carry "timestampISO". Without that data, the category list's teaser shows
// <span class="timeago" title="2018-03-10T16:11:00.000Z">.
std::string newest_post_nodebb(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::YearMonthDay);
    bool scripted = false;
    for (std::string_view category : json_items(json_member(object_behind(page.bytes(), "window._ajaxifyData"), "categories"))) {
        scripted = true;
        newest.take_iso(json_string_text(json_member(json_member(category, "teaser"), "timestampISO")));
        for (std::string_view post : json_items(json_member(category, "posts")))
            newest.take_iso(json_string_text(json_member(post, "timestampISO")));
    }
    if (!scripted) return newest_in_elements(page.bytes(), "div", "teaser", download_time, NumericDates::YearMonthDay);
    return newest.newest();
}
