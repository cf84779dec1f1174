#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/last_post_readers.h"

// The category table's <td class="... LatestPost">: the latest discussion's link, its author and
// <time datetime="..."> inside the link to the comment.
std::string newest_post_vanilla(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "td", "LatestPost", download_time, NumericDates::None);
}
