#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// How much of one line the page readers look at: a line beyond it is read as its first bytes.
inline constexpr std::size_t kLineReadLimit = 4096;

// A downloaded page held as its bytes plus where each line starts, so that readers look at lines
// as views into one buffer instead of a string per line. Lines end at CR LF, LF or a lone CR; a
// break at the very end adds no empty line; an empty page has no lines. Pure value, no Qt.
// The text never changes once made, so copies share it: the window model and the memo that
// shows the page hold one page, not two.
class PageLines {
public:
    PageLines() = default;
    explicit PageLines(std::string bytes);

    const std::string& bytes() const { return text_ ? text_->bytes : empty_bytes(); }
    std::size_t size() const { return text_ ? text_->starts.size() : 0; }
    bool empty() const { return size() == 0; }
    // Line i without its break (i < size()).
    std::string_view line(std::size_t i) const;
    // Line i as the readers take it: at most its first kLineReadLimit bytes.
    std::string_view read_line(std::size_t i) const { return line(i).substr(0, kLineReadLimit); }
    // The first line at or after line `from` whose read_line holds marker, or size(). The
    // marker is looked for across the whole page, so lines without it cost no call each.
    // The marker must hold no line break.
    std::size_t next_line_holding(std::string_view marker, std::size_t from) const;

private:
    struct Text {
        std::string bytes;
        std::vector<std::size_t> starts;
    };
    static const std::string& empty_bytes();

    std::shared_ptr<const Text> text_;
};
