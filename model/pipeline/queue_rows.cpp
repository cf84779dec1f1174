#include "model/pipeline/queue_rows.h"

#include "model/app/controls/list_rows.h"
#include "model/pipeline/site_pace.h"

bool is_new_row(const QueueRow& row) { return row.attempts == 0 && row.state != RowState::Finished; }

NewRowTracker::NewRowTracker(const ListRows& queue, BlockedSites blocked_sites)
    : queue_(queue), blocked_sites_(std::move(blocked_sites)) {
    recount();
}

void NewRowTracker::recount() {
    new_rows_ = 0;
    new_by_site_.clear();
    for (const ListItem& item : queue_.items()) {
        if (!is_new_row(item.facts.queue)) continue;
        ++new_rows_;
        ++new_by_site_[SitePace::site_of(item.caption)];
    }
    revision_ = queue_.revision();
    // Whatever changed the queue behind the tracker's back (a nested completion) may have ended
    // downloads too.
    refresh_blocked();
}

bool NewRowTracker::any_new() {
    if (queue_.revision() != revision_) recount();
    long long startable = new_rows_;
    for (const std::string& site : blocked_)
        if (const auto found = new_by_site_.find(site); found != new_by_site_.end()) startable -= found->second;
    return startable > 0;
}

void NewRowTracker::started_new_row(const std::string& url) {
    --new_rows_;
    --new_by_site_[SitePace::site_of(url)];
}

void NewRowTracker::sync() { revision_ = queue_.revision(); }
