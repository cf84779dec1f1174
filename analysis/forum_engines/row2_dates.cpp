#include "analysis/forum_engines/row2_dates.h"

namespace {

// How far a "row2" cell is read for its first text: a cell left open on its line (the date of
// subsilver2 stands on a line of its own) goes on below, but not without end.
constexpr std::size_t kCellReadLimit = 1024;

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The first text of the cell that starts at the front of cell (its "<td" tag first), behind its
// leading tags and blanks; empty when the cell ends first.
std::string_view first_cell_text(std::string_view cell) {
    std::size_t pos = 0;
    while (pos < cell.size()) {
        if (is_blank(cell[pos])) {
            ++pos;
        } else if (cell[pos] == '<') {
            if (pos > 0 && cell.substr(pos, 4) == "</td") return {};
            const std::size_t close = cell.find('>', pos);
            if (close == std::string_view::npos) return {};
            pos = close + 1;
        } else {
            const std::size_t open = cell.find('<', pos);
            return cell.substr(pos, open == std::string_view::npos ? open : open - pos);
        }
    }
    return {};
}

}  // namespace

// Classic boards print the last post's date as what the last "row2" cell of a forum's row begins
// with: on the "row2" line itself (phpBB 2) or on a line below, inside the same cell
// (subsilver2). Numeric dates are not read, as nothing tells their order; a board's clock or
// statistics stand in no "row2" cell.
Row2Dates::Row2Dates(const PageLines& page, std::int64_t download_time)
    : page_(page), newest_(download_time, NumericDates::None) {}

void Row2Dates::read_line(std::size_t i) {
    const std::string_view line = page_.read_line(i);
    const std::size_t cell = line.find("<td");
    if (cell == std::string_view::npos) return;
    const std::string_view text = page_.bytes();
    const std::size_t start = static_cast<std::size_t>(line.data() - text.data()) + cell;
    newest_.take_text(first_cell_text(text.substr(start, kCellReadLimit)));
}
