#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/last_post_readers.h"

#include <algorithm>

namespace {

// How far a "row2" line's table row is read for its date: a forum row is far shorter; the bound
// keeps a row left open from making every such line read the rest of the page.
constexpr std::size_t kRowReadLimit = 16 * 1024;

}  // namespace

// Classic boards put the last post's date in a cell of the forum's row, on the "row2" line itself
// (phpBB 2) or a line further down the same row (subsilver2). Each row is read once, from its
// first "row2" line up to its "</tr>", links' words passed over; numeric dates are not read, as
// nothing tells their order.
std::string newest_post_row2(const PageLines& page, std::int64_t download_time) {
    const std::string& text = page.bytes();
    NewestPost newest(download_time, NumericDates::None);
    std::size_t read_up_to = 0;
    for (std::size_t i = page.next_line_holding("row2", 0); i < page.size(); i = page.next_line_holding("row2", i + 1)) {
        const std::string_view line = page.read_line(i);
        const std::size_t start = static_cast<std::size_t>(line.data() - text.data());
        if (start < read_up_to) continue;
        const std::size_t bound = std::min(text.size(), start + kRowReadLimit);
        std::size_t end = text.find("</tr>", start);
        if (end == std::string::npos || end > bound) end = bound;
        end = std::max(end, start + line.size());
        read_last_post_cell(std::string_view(text).substr(start, end - start), newest);
        read_up_to = end;
    }
    return newest.newest();
}
