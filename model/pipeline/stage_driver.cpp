#include "model/app/Downloaddemo_U.h"

#include "analysis/number_text.h"

namespace {

// A search page is judged "Good" once the links collected so far are more than this many.
constexpr int kMostLinksOfABadSearch = 5;

// Releases the finished download's line and clears analysis_busy on every way out, so that a
// failing analysis can neither hold a download place for good nor leave the completion waiting.
class LineRelease {
public:
    explicit LineRelease(TForm1& form) : form_(form) {}
    ~LineRelease() {
        form_.remove_download_line(form_.pipeline.completed_slot);
        form_.pipeline.analysis_busy = false;
    }
    LineRelease(const LineRelease&) = delete;
    LineRelease& operator=(const LineRelease&) = delete;

private:
    TForm1& form_;
};

}  // namespace

void TForm1::further_actClick() {
    LineRelease release(*this);

    // With the queue replaced while the page downloaded, no row is judged.
    const int r = google_list.find_caption(pipeline.completed_url);
    if (r < 0) return;
    const std::string url = google_list.item(r).caption;
    const std::string description = google_list.sub_item(r, queue_column::Description);
    const int k = result_list.find_caption(url);

    std::string verdict;
    const bool forum = pipeline.research_stage == stage::Forum;
    const bool search = pipeline.research_stage == stage::Search;
    ForumFigures figures;
    // Set when the page led to its board index: the row ends now, as no download of the same page
    // turns it into an index.
    std::optional<NoFiguresReason> followed;
    if (forum) {
        figures = get_sites_popularityClick();
        verdict = figures.average.empty() ? verdict::BadDownload : verdict::Good;
        followed = follow_board_index(url, description, figures);
        if (followed) verdict = verdict::Fatal;
    }
    if (search) {
        get_urls_from_google_list.click();
        verdict = google_res.item_count() > kMostLinksOfABadSearch ? verdict::Good : verdict::BadDownload;
    }
    if (verdict == verdict::BadDownload &&
        (google_list.sub_item(r, queue_column::Attemps) == decimal_text(pipeline.attempts_limit) ||
         (search && pipeline.search_exhausted)))
        verdict = verdict::Fatal;
    // A site that asks for a longer wait than the research takes on ends the row now.
    const auto given_up = take_retry_after(url, pipeline.completed_response, pipeline.completed_head);
    if (given_up && verdict == verdict::BadDownload) verdict = verdict::Fatal;

    ListItem row{url, {description, verdict}};
    if (forum) {
        row.sub_items.push_back(figures.average);
        row.sub_items.push_back(figures.max);
        row.sub_items.push_back(figures.newest_post);
        row.facts.figures = std::move(figures);
    } else if (search) {
        row.sub_items.push_back(decimal_text(google_res.item_count()));
    }
    int result_row = k;
    if (result_row < 0) {
        result_row = result_list.add_item(std::move(row));
    } else {
        result_list.set_item_caption(result_row, url);
        for (std::size_t i = 0; i < row.sub_items.size(); ++i)
            result_list.set_sub_item(result_row, static_cast<int>(i), row.sub_items[i]);
        // A later page of the same forum may be read another way; only the last reading stands.
        result_list.set_item_facts(result_row, std::move(row.facts));
    }

    if (forum) {
        // The reason stands beside the verdict; a page that gave figures clears an earlier one.
        std::optional<NoFiguresReason> reason;
        if (followed) reason = *followed;
        else if (verdict != verdict::Good)
            reason = given_up ? *given_up : unrated_forum_reason(result_list.item(result_row).facts.figures);
        google_list.set_reason(r, reason);
        if (!reason) result_list.set_reason(result_row, std::nullopt);
        else note_no_figures(result_list, result_row, std::move(*reason));
    }

    const bool bad = result_list.sub_item(result_row, result_column::Verdict) == verdict::BadDownload;
    google_list.set_sub_item(r, queue_column::Result, bad ? row_state::Redownload : row_state::Finished);
}
