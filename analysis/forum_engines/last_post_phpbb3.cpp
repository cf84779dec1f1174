#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/last_post_readers.h"

// prosilver: <dd class="lastpost"><span>... by <a>name</a> <br />20 Mar 2018, 09:24</span></dd>;
// 3.3 writes the time as <time datetime="...">. The column caption is a lastpost dd too, dateless.
std::string newest_post_phpbb3(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "dd", "lastpost", download_time, NumericDates::None);
}
