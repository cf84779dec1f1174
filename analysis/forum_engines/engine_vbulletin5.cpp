#include "analysis/forum_engines/engine_counting.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"

namespace {

// The generator <meta>, and the forum list's channel rows.
bool recognises(std::string_view page) {
    return generator_starts_with(page, "vBulletin 5") || holds_any(page, {"forum-list-container", "cell-lastpost"});
}

// Forum rows carry <td class="... topics-count">N</td> and <td class="... posts-count">N</td>.
void count(const PageLines& page, PostCounter& counter) {
    count_element_numbers(page.bytes(), "td", "topics-count", counter);
    count_element_numbers(page.bytes(), "td", "posts-count", counter);
}

// The forum list's <td class="cell-lastpost">, month first by default.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "td", "cell-lastpost", download_time, NumericDates::MonthDayYear);
}

}  // namespace

const ForumEngine forum_engine::vbulletin5 = {"vbulletin5", "vBulletin 5", recognises, count, newest_post};
