#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// How much of one line the page readers look at: a line beyond it is read as its first bytes.
inline constexpr std::size_t kLineReadLimit = 4096;

// A downloaded page held as its bytes plus where each line starts, so that readers look at lines
// as views into one buffer instead of a string per line. Lines end at CR LF, LF or a lone CR; a
// break at the very end adds no empty line; an empty page has no lines. Pure value, no Qt.
class PageLines {
public:
    PageLines() = default;
    explicit PageLines(std::string bytes);

    const std::string& bytes() const { return bytes_; }
    std::size_t size() const { return starts_.size(); }
    bool empty() const { return starts_.empty(); }
    // Line i without its break (i < size()).
    std::string_view line(std::size_t i) const;
    // Line i as the readers take it: at most its first kLineReadLimit bytes.
    std::string_view read_line(std::size_t i) const { return line(i).substr(0, kLineReadLimit); }

private:
    std::string bytes_;
    std::vector<std::size_t> starts_;
};
