#pragma once

#include "analysis/page_lines.h"
#include "analysis/post_date.h"

#include <cstdint>
#include <string>

// The classic rule's pages: the date a "row2" cell begins with, read line by line in the pass
// that counts the same lines (read_row2_lines), on the lines whose cell holds no count.
class Row2Dates {
public:
    Row2Dates(const PageLines& page, std::int64_t download_time);
    // Reads the cell that "row2" line i opens.
    void read_line(std::size_t i);
    std::optional<CalendarDay> newest_day() const { return newest_.newest_day(); }

private:
    const PageLines& page_;
    NewestPost newest_;
};
