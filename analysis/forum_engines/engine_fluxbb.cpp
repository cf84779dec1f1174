#include "analysis/forum_engines/engine_counting.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"

namespace {

// Every page's <div id="punindex" class="pun"> (the name of each page follows "pun").
bool recognises(std::string_view page) { return holds_any(page, {"class=\"pun\"", "id=\"punindex\""}); }

// The index's forum rows: <td class="tc2">topics</td><td class="tc3">posts</td>, as FluxBB writes
// them and PunBB did up to 1.2, from which it grew.
void count(const PageLines& page, PostCounter& counter) {
    count_element_numbers(page.bytes(), "td", "tc2", counter);
    count_element_numbers(page.bytes(), "td", "tc3", counter);
}

// <td class="tcr"><a href="viewtopic.php?pid=N#pN">2018-03-10 16:11:00</a> <span class="byuser">...:
// the time as the link's text, year first, or "Today 16:11:00".
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "td", "tcr", download_time, NumericDates::YearMonthDay, true);
}

}  // namespace

const ForumEngine forum_engine::fluxbb = {"fluxbb", "FluxBB / PunBB 1.2", recognises, count, newest_post};
