#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/xenforo_node_stats.h"

namespace {

constexpr std::string_view kPageMark = "<html id=\"XenForo\"";

bool recognises(std::string_view page) { return holds_any(page, {kPageMark}); }

// <div class="nodeStats ..."> of <dl><dt>label</dt> <dd>count</dd></dl> pairs (themes may put an
// icon in the <dt>); themes that repeat the figures do so in boxes of their own classes.
void count(const PageLines& page, PostCounter& counter) {
    if (recognises(page.bytes())) count_node_stats(page.bytes(), "nodeStats", "", counter);
}

// <div class="nodeLastPost"> with <abbr class="DateTime" data-time=... data-datestring="Mar 18, 2018">
// or, for older posts, <span class="DateTime" title="...">.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "div", "nodeLastPost", download_time, NumericDates::None);
}

}  // namespace

const ForumEngine forum_engine::xenforo1 = {"xenforo1", "XenForo 1", recognises, count, newest_post};
