#pragma once

#include <string>
#include <string_view>

class ListView;

// Reading the queue's counters. A row is new while its Attemps text is "0" or empty; an Attemps
// text that is not a decimal number (a list file can hold anything) counts as not yet tried.
bool is_new_attempts_text(std::string_view attempts_text);
// A row that still waits for its first start: not yet tried and not "Finished". Whatever its
// Result says ("Redownload" from a list file, say), such a row is started while new rows go
// first, so it can neither wait for itself nor hold a stage open for good.
bool is_new_row(std::string_view attempts_text, std::string_view result);
// The number of starts an Attemps text stands for; 0 for empty or non-decimal text.
int attempts_of(std::string_view attempts_text);

// Counts the new rows of the queue so that "is any row new?" costs O(1) per row in a tick.
// Changes made behind the tracker's back are noticed by the list's revision and recounted.
class NewRowTracker {
public:
    explicit NewRowTracker(const ListView& queue);
    bool any_new();
    // The caller itself changed a row's Attemps text; keeps the count without a rescan.
    void own_attempts_change(std::string_view result, std::string_view before, std::string_view after);
    // The caller's own changes are accounted for: only later changes trigger a recount.
    void sync();

private:
    void recount();

    const ListView& queue_;
    long long new_rows_ = 0;
    unsigned long long revision_ = 0;
};
