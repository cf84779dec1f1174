#pragma once

#include "analysis/forum_figures.h"
#include "analysis/link_index.h"
#include "analysis/page_lines.h"
#include "analysis/search_service.h"
#include "model/pipeline/site_pace.h"

#include <cstdint>
#include <string>

// The program-wide values of a research, with their initial values. Owned by the window model.
struct PipelineState {
    std::string status_text = "Enter keyword and click \"Start Search\"";
    bool stop_requested = false;
    bool analysis_busy = false;
    std::string research_stage;
    int stage_threads = -1;
    int parallel_limit = 5;
    int attempts_limit = 5;
    std::string completed_url;
    // The address that served it, after redirects.
    std::string completed_served_url;
    int completed_slot = 0;
    // The HTTP status of the page just handed on (some services answer a bot check with a success).
    int completed_response = 0;
    // Its response head (status line and header lines): what a bot check or a wait asked for says.
    std::string completed_head;
    // When the page just handed on was served (its Date header, else the local clock), in seconds
    // since 1970: what "Today" on the page means.
    std::int64_t completed_served_at = 0;
    // When the current stage started, in seconds since 1970: the research's own date.
    std::int64_t research_started_at = 0;
    // The search service the current search stage asks.
    SearchInUse search;
    // A page of the current search was answered well-formed with no results: the search is over.
    bool search_exhausted = false;
    // The URLs of google_res for the duplicate test, in step with its rows.
    CollectedLinkIndex collected_links;
    // The last finished page as the readers take it; result_memo shows the same text.
    PageLines page_text;
    // The sites that asked to wait (Retry-After), for the current stage.
    SitePace site_pace;
};

// Row states, verdicts and stage names, compared exactly.
namespace row_state {
inline constexpr const char* Download = "Download";
inline constexpr const char* Redownload = "Redownload";
inline constexpr const char* Finished = "Finished";
}  // namespace row_state

namespace verdict {
inline constexpr const char* Good = "Good";
inline constexpr const char* BadDownload = "Bad Download";
inline constexpr const char* Fatal = "Fatal";
}  // namespace verdict

namespace stage {
inline constexpr const char* Search = "google-forum-query";
inline constexpr const char* Forum = "Popular Site";
}  // namespace stage

// The Status a queue row shows while its download runs; a failed download writes its error texts.
namespace queue_status {
inline constexpr const char* Analysis = "Analysis...";
}  // namespace queue_status

// Sub-item indexes of a queue row.
namespace queue_column {
inline constexpr int Description = 0;
inline constexpr int Status = 1;
inline constexpr int Attemps = 2;
inline constexpr int Result = 3;
}  // namespace queue_column

// Sub-item indexes of a results row. Both stages begin with the description and the verdict; the
// search stage then counts the links collected so far, the forum stage gives the post figures
// and the date of the newest post.
namespace result_column {
inline constexpr int Description = 0;
inline constexpr int Verdict = 1;
inline constexpr int SitesOnPage = 2;
inline constexpr int PostsAverage = 2;
inline constexpr int PostsMax = 3;
inline constexpr int NewestPost = 4;
}  // namespace result_column
