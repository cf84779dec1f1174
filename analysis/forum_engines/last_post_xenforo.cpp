#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/last_post_readers.h"

// <div class="nodeLastPost"> with <abbr class="DateTime" data-time=... data-datestring="Mar 18, 2018">
// or, for older posts, <span class="DateTime" title="...">.
std::string newest_post_xenforo1(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "div", "nodeLastPost", download_time, NumericDates::None);
}

// <div class="node-extra"> with <time class="node-extra-date u-dt" datetime="2018-03-16T17:52:18-0400" ...>.
std::string newest_post_xenforo2(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "div", "node-extra", download_time, NumericDates::None);
}
