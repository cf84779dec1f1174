#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct ForumFigures;

// Counts the plain numbers of the first table cell of every "row2" line of a page: feed it the
// page's lines in order. A digit string above 2147483647 is not counted; the sum is 64-bit.
class PostCounter {
public:
    void add_line(std::string_view line);
    // add_line for a line already known to hold "row2".
    void add_row2_line(std::string_view line);
    // Counts one number read some other way (the engine readers).
    void add(std::int32_t value);

    std::int64_t count() const { return count_; }
    std::int64_t sum() const { return sum_; }
    std::int32_t max() const { return max_; }
    // The average rounded down; 0 when nothing was counted.
    std::int64_t average() const { return count_ == 0 ? 0 : sum_ / count_; }
    // The counts as a page's figures: count, average and maximum.
    void fill(ForumFigures& figures) const;
    // The average (rounded down) and the maximum as decimal text; both empty when nothing was counted.
    std::string average_text() const;
    std::string max_text() const;

private:
    std::int64_t count_ = 0;
    std::int64_t sum_ = 0;
    std::int32_t max_ = 0;
};
