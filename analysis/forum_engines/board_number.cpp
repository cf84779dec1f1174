#include "analysis/forum_engines/board_number.h"

#include <array>
#include <limits>

namespace {

constexpr std::array<std::string_view, 7> kSeparators{",", ".", " ", "'", "\xC2\xA0", "&nbsp;", "&#160;"};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Blanks that may surround a printed count, the no-break ones included.
constexpr std::array<std::string_view, 7> kBlanks{" ", "\t", "\r", "\n", "\xC2\xA0", "&nbsp;", "&#160;"};

std::string_view trim_blanks(std::string_view text) {
    for (bool cut = true; cut && !text.empty();) {
        cut = false;
        for (std::string_view b : kBlanks) {
            if (text.starts_with(b)) {
                text.remove_prefix(b.size());
                cut = true;
            }
            if (text.ends_with(b)) {
                text.remove_suffix(b.size());
                cut = true;
            }
        }
    }
    return text;
}

std::size_t digit_run(std::string_view text, std::size_t pos) {
    std::size_t end = pos;
    while (end < text.size() && is_digit(text[end])) ++end;
    return end - pos;
}

}  // namespace

std::optional<std::int32_t> parse_board_number(std::string_view text) {
    text = trim_blanks(text);
    const std::size_t first = digit_run(text, 0);
    if (first == 0) return std::nullopt;

    std::string_view separator;
    std::size_t pos = first;
    if (pos < text.size()) {
        // Grouped: 1 to 3 leading digits, then groups of exactly three behind one kind of separator.
        if (first > 3) return std::nullopt;
        for (std::string_view s : kSeparators)
            if (text.substr(pos, s.size()) == s) separator = s;
        if (separator.empty()) return std::nullopt;
        while (pos < text.size()) {
            if (text.substr(pos, separator.size()) != separator) return std::nullopt;
            pos += separator.size();
            if (digit_run(text, pos) != 3) return std::nullopt;
            pos += 3;
        }
    }

    std::int64_t value = 0;
    for (char c : text) {
        if (!is_digit(c)) continue;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> parse_labelled_number(std::string_view text) {
    const auto colon = text.rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    return parse_board_number(text.substr(colon + 1));
}
