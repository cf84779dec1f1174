#include "analysis/forum_engines/forum_engines.h"
#include "analysis/forum_engines/json_scan.h"
#include "analysis/forum_engines/last_post_readers.h"

// Each category of the preloaded list carries its latest topics, whose "last_posted_at" is the
// time of their last post as an ISO date; the view for clients without scripts shows no dates.
std::string newest_post_discourse(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::None);
    const std::string data = discourse_preloaded_data(page.bytes());
    for (std::string_view category : json_items(json_member(object_behind(data, "\"category_list\""), "categories")))
        for (std::string_view topic : json_items(json_member(category, "topics")))
            newest.take_iso(json_string_text(json_member(topic, "last_posted_at")));
    return newest.newest();
}
