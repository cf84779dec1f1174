#include "model/app/Downloaddemo_U.h"

#include "analysis/number_text.h"
#include "analysis/page_base.h"
#include "model/pipeline/row_texts.h"

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
    note_served_address(r);
    const bool forum = pipeline.research_stage == stage::Forum;
    const bool search = pipeline.research_stage == stage::Search;

    ListItem row{google_list.item(r).caption, {google_list.sub_item(r, queue_column::Description), ""}};
    // Set when the page led to its board index (or is a board index leading to another): the
    // row ends now, as no download of the same page turns it into an index.
    std::optional<NoFiguresReason> ends_now;
    if (forum) ends_now = judge_forum_page(r, row);
    if (search) judge_search_page(row);
    Verdict verdict = row.facts.result.verdict;
    if (verdict == Verdict::BadDownload &&
        (google_list.item(r).facts.queue.attempts == pipeline.attempts_limit || (search && pipeline.search_exhausted)))
        verdict = Verdict::Fatal;
    // A site that asks for a longer wait than the research takes on ends the row now.
    const auto given_up = take_retry_after(row.caption, pipeline.completed_response, pipeline.completed_head);
    if (given_up && verdict == Verdict::BadDownload) verdict = Verdict::Fatal;
    row.facts.result.verdict = verdict;
    row.sub_items[static_cast<std::size_t>(result_column::Verdict)] = verdict_text(verdict);
    const int result_row = store_result_row(std::move(row));

    if (forum) {
        // The reason stands beside the verdict; a page that gave figures clears an earlier one.
        std::optional<NoFiguresReason> reason = ends_now;
        if (!reason && verdict != Verdict::Good)
            reason = given_up ? *given_up : unrated_forum_reason(result_list.item(result_row).facts.result.figures);
        google_list.set_reason(r, reason);
        if (!reason) result_list.set_reason(result_row, std::nullopt);
        else note_no_figures(result_list, result_row, std::move(*reason));
    }
    set_row_state(google_list, r, verdict == Verdict::BadDownload ? RowState::Redownload : RowState::Finished);
}

void TForm1::note_served_address(int r) {
    QueueRow& values = google_list.facts_to_change(r).queue;
    values.served_url = pipeline.completed_served_url.empty() ? google_list.item(r).caption : pipeline.completed_served_url;
    values.link_base = page_link_base(values.served_url, pipeline.page_text.bytes());
}

std::optional<NoFiguresReason> TForm1::judge_forum_page(int r, ListItem& row) {
    ForumFigures figures = get_sites_popularityClick();
    Verdict& verdict = row.facts.result.verdict;
    verdict = figures.numbers == 0 ? Verdict::BadDownload : Verdict::Good;
    auto ends_now = follow_board_index(r, figures);
    if (ends_now) verdict = Verdict::Fatal;
    row.sub_items.push_back(average_text(figures));
    row.sub_items.push_back(max_text(figures));
    row.sub_items.push_back(newest_post_text(figures));
    row.facts.result.figures = std::move(figures);
    return ends_now;
}

void TForm1::judge_search_page(ListItem& row) {
    get_urls_from_google_list.click();
    row.facts.result.verdict = google_res.item_count() > kMostLinksOfABadSearch ? Verdict::Good : Verdict::BadDownload;
    row.sub_items.push_back(decimal_text(google_res.item_count()));
}

int TForm1::store_result_row(ListItem row) {
    const int k = result_list.find_caption(row.caption);
    if (k < 0) return result_list.add_row(std::move(row));
    result_list.set_item_caption(k, row.caption);
    for (std::size_t i = 0; i < row.sub_items.size(); ++i) result_list.set_sub_item(k, static_cast<int>(i), row.sub_items[i]);
    // A later page of the same forum may be read another way; only the last reading stands.
    result_list.set_item_facts(k, std::move(row.facts));
    return k;
}
