#pragma once

#include "model/app/controls/row_facts.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class ListRows;

// A row that still waits for its first start: not yet tried and not "Finished". Whatever its
// state says ("Redownload" from a list file, say), such a row is started while new rows go
// first, so it can neither wait for itself nor hold a stage open for good.
bool is_new_row(const QueueRow& row);

// Counts the new rows of the queue, by site, so that "is a new row left that could start now?"
// costs O(blocked sites) per row in a tick. Changes made behind the tracker's back are noticed
// by the list's revision and recounted.
class NewRowTracker {
public:
    // blocked_sites tells the sites that cannot start a download now (at their limit, or asked to
    // wait): their new rows hold back nobody. Asked again with every recount and refresh.
    using BlockedSites = std::function<std::vector<std::string>()>;
    NewRowTracker(const ListRows& queue, BlockedSites blocked_sites);
    // Whether a new row is left whose site is not blocked.
    bool any_new();
    // The caller started a download: the sites blocked may have changed.
    void refresh_blocked() { blocked_ = blocked_sites_(); }
    // The caller itself started the row at url, new until then; keeps the count without a rescan.
    void started_new_row(const std::string& url);
    // The caller's own changes are accounted for: only later changes trigger a recount.
    void sync();

private:
    void recount();

    const ListRows& queue_;
    long long new_rows_ = 0;
    std::unordered_map<std::string, long long> new_by_site_;
    BlockedSites blocked_sites_;
    std::vector<std::string> blocked_;
    unsigned long long revision_ = 0;
};
