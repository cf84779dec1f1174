#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/xenforo_node_stats.h"

namespace {

constexpr std::string_view kPageMark = "<html id=\"XF\"";

bool recognises(std::string_view page) { return holds_any(page, {kPageMark}); }

// <div class="node-stats">; the compact copy in "node-statsMeta" repeats the figures and is
// counted only on pages whose theme moves the stats out of their own column.
void count(const PageLines& page, PostCounter& counter) {
    if (recognises(page.bytes())) count_node_stats(page.bytes(), "node-stats", "node-statsMeta", counter);
}

// <div class="node-extra"> with <time class="node-extra-date u-dt" datetime="2018-03-16T17:52:18-0400" ...>.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "div", "node-extra", download_time, NumericDates::None);
}

}  // namespace

const ForumEngine forum_engine::xenforo2 = {"xenforo2", "XenForo 2", recognises, count, newest_post};
