#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/smf_board_counts.h"
#include "analysis/html_markup.h"

namespace {

// Each board's <div class="board_stats"><p>label: N<br>label: N</p></div>. Themes that write the
// box themselves inside the index's own one are counted once, by the inner box.
void count(const PageLines& page, PostCounter& counter) {
    for_each_element(page.bytes(), "div", "board_stats", [&](std::string_view, std::string_view stats) {
        if (stats.find("board_stats") != std::string_view::npos) return;
        for (std::int32_t value : smf_board_counts(stats, SmfCountHolder::StatsBox)) counter.add(value);
    });
}

// Each board's <div class="lastpost">: "Last post by <a>name</a> in <a>subject</a> on March 13,
// 2018, 04:11:00 pm".
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "div", "lastpost", download_time, NumericDates::None);
}

// The link tree's first link, in <div class="navigate_section">.
std::string_view board_index_link(std::string_view page) { return first_href_behind(page, "class=\"navigate_section\""); }

}  // namespace

const ForumEngine forum_engine::smf21 = {"smf21", "SMF 2.1", is_smf21_page, count, newest_post, smf_page_kind, board_index_link};
