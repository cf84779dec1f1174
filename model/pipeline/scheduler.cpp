#include "model/app/Downloaddemo_U.h"

#include "model/pipeline/queue_rows.h"
#include "model/pipeline/row_texts.h"

namespace {

// Holds a flag set for as long as it lives, whichever way the scope is left.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

void TForm1::Timer1Timer() {
    // A stage that ends by starting the next one is followed at once by that stage's first tick.
    bool next_stage_started = true;
    while (next_stage_started) {
        if (pipeline.stop_requested) {
            // A stopped research starts nothing more: it is over once its last download has gone.
            Timer1.stop();
            end_research_if_over(false);
        }
        next_stage_started = start_due_downloads() && end_stage_if_done();
    }
}

bool TForm1::start_due_downloads() {
    if (download_list.count() >= pipeline.parallel_limit) return false;

    NewRowTracker tracker(research_rows.queue, [this] { return blocked_sites(); });
    const int rows = google_list.item_count();
    // A nested event (a synchronous download's completion) may replace the queue: stop at its end.
    for (int r = 0; r < rows && r < google_list.item_count(); ++r) {
        if (download_list.count() >= pipeline.parallel_limit) return false;
        if (pipeline.stop_requested) break;

        const bool new_left = tracker.any_new();
        if (google_list.item(r).facts.queue.state == RowState::None) set_row_state(google_list, r, RowState::Download);
        // A list file's unreadable count shows as the none it stands for once the row is looked at.
        set_row_attempts(google_list, r, google_list.item(r).facts.queue.attempts);
        const QueueRow row = google_list.item(r).facts.queue;
        bool eligible;
        if (new_left) {
            eligible = row.state == RowState::Download || is_new_row(row);
            UrlDownload1.TimeOut = timeout_normal.value();
        } else {
            eligible = row.state != RowState::Finished;
            UrlDownload1.TimeOut = time_out_advanced.value();
        }
        const std::string url = google_list.item(r).caption;
        if (download_list.index_of_ignoring_case(url) >= 0) eligible = false;
        if (row.attempts >= pipeline.attempts_limit) eligible = false;
        // A site that asked to wait, or has its share of downloads running, lets the rows of
        // other sites go first.
        if (eligible && !site_allows(url)) eligible = false;

        if (eligible) {
            append_download_line(url);
            set_row_attempts(google_list, r, row.attempts + 1);
            if (is_new_row(row)) tracker.started_new_row(url);
            google_list.set_sub_item(r, queue_column::Status, queue_status::Analysis);
            tracker.refresh_blocked();
        }
        tracker.sync();
        if (eligible) UrlDownload1.Download(url);
    }
    return true;
}

bool TForm1::end_stage_if_done() {
    // No row is left that is unfinished and has starts left, and no download of the stage is
    // still listed, so that the page of its last start is still judged.
    if (download_list.count() > 0) return false;
    for (const ListItem& item : google_list.items()) {
        if (item.facts.queue.state != RowState::Finished && item.facts.queue.attempts < pipeline.attempts_limit)
            return false;
    }
    Timer1.stop();
    if (pipeline.research_stage == stage::Search) {
        // Say why in plain words: an empty forum stage alone tells the user nothing.
        if (google_res.item_count() == 0 && !pipeline.stop_requested) memo1.add_line(pipeline.search.service->nothing_found(*options_.setting_words));
        google_got.set_enabled(true);
        // After Stop the research goes no further: the forum stage start would clear the request.
        if (google_pop_auto.checked() && !pipeline.stop_requested) {
            google_got.click();
            // The forum stage starts without its first tick: the tick that ended this stage runs it.
            const FlagScope from_tick(stage_started_by_tick_);
            check_page_for_popular.click();
            return true;
        }
    }
    end_research_if_over(true);
    return false;
}

void TForm1::downloadClick() {
    // Starting a download can end it at once (an invalid URL) and take its line away, so the
    // lines are read first and each slot is found by its URL when it starts.
    const std::vector<std::string> urls = download_list.lines();
    for (const auto& url : urls) {
        const int slot = download_list.index_of_ignoring_case(url);
        if (slot >= 0) slot_buffers.clear(slot);
        UrlDownload1.Download(url);
    }
}
