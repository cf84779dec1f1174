#include "analysis/popularity.h"

#include "analysis/forum_figures.h"
#include "analysis/number_text.h"
#include "analysis/text_scan.h"

namespace {

constexpr std::string_view kRow2Marker = "row2";

}  // namespace

void PostCounter::add_line(std::string_view line) {
    if (holds_marker(line, kRow2Marker)) add_row2_line(line);
}

void PostCounter::add_row2_line(std::string_view line) {
    // The first cell of the line, or the whole line when it has no complete cell.
    std::string_view cell = span_view(line, "<td", "</td>").value_or(line);

    // Leading tags go; a tag that never closes takes the rest of the cell with it.
    while (!cell.empty() && cell.front() == '<') {
        const auto p = cell.find('>');
        cell = p == std::string_view::npos ? std::string_view() : cell.substr(p + 1);
    }
    cell = cell.substr(0, cell.find('<'));

    if (!is_digits(cell)) return;
    // A count beyond 32 bits is no post count a forum shows; it is passed over like any other text.
    const auto value = parse_int_strict(cell);
    if (value) add(*value);
}

void PostCounter::add(std::int32_t value) {
    ++count_;
    sum_ += value;
    if (value > max_) max_ = value;
}

void PostCounter::fill(ForumFigures& figures) const {
    figures.numbers = count_;
    figures.average = average();
    figures.max = max_;
}

std::string PostCounter::average_text() const {
    return count_ == 0 ? std::string() : decimal_text(sum_ / count_);
}

std::string PostCounter::max_text() const {
    return count_ == 0 ? std::string() : decimal_text(max_);
}

namespace {

bool is_class_word_character(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

// Whether every "row2" of the line stands inside a longer word.
bool row2_only_inside_other_words(std::string_view line) {
    for (std::size_t at = line.find(kRow2Marker); at != std::string_view::npos; at = line.find(kRow2Marker, at + 1)) {
        const std::size_t after = at + kRow2Marker.size();
        if ((at == 0 || !is_class_word_character(line[at - 1])) &&
            (after >= line.size() || !is_class_word_character(line[after])))
            return false;
    }
    return true;
}

}  // namespace

Row2Reading read_row2_lines(const PageLines& page, const std::function<void(std::size_t line)>& also_read) {
    PostCounter counter;
    bool inside_other_class = false;
    // Only lines holding the marker count anything, so only those are handed over, unchecked.
    for (std::size_t i = page.next_line_holding(kRow2Marker, 0); i < page.size(); i = page.next_line_holding(kRow2Marker, i + 1)) {
        const std::string_view line = page.read_line(i);
        const bool first_count = counter.count() == 0;
        const std::int64_t before = counter.count();
        counter.add_row2_line(line);
        if (also_read && counter.count() == before) also_read(i);
        // The first line counted tells the markup: a page writes its count cells alike.
        if (first_count && counter.count() > 0) inside_other_class = row2_only_inside_other_words(line);
    }
    Row2Reading reading{{}, inside_other_class};
    counter.fill(reading.figures);
    return reading;
}

ForumFigures read_row2_counts(const PageLines& page) { return read_row2_lines(page).figures; }
