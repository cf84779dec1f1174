#include "analysis/forum_engines/board_number.h"

#include "analysis/html_markup.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

// Locales group by three with a comma, a dot, a (no-break, narrow no-break or thin) space or an
// apostrophe (straight, or the typographic one of Swiss locales).
constexpr auto kSeparators = std::to_array<std::string_view>({",", ".", " ", "'", "\xC2\xA0", "&nbsp;", "&#160;",
                                                              "\xE2\x80\xAF", "&#8239;", "\xE2\x80\x89", "\xE2\x80\x99"});

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Blanks that may surround a printed count, the no-break ones included.
constexpr auto kBlanks = std::to_array<std::string_view>({" ", "\t", "\r", "\n", "\xC2\xA0", "&nbsp;", "&#160;"});

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

    // The digits of the number only: a separator written as a reference ("&#160;") has digits of its own.
    std::int64_t value = 0;
    for (std::size_t p = 0; p < text.size();) {
        if (!is_digit(text[p])) {
            p += separator.size();
            continue;
        }
        value = value * 10 + (text[p++] - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

namespace {

// parse_labelled_number of text whose character references are decoded.
std::optional<std::int32_t> labelled_number(std::string_view text) {
    const auto is_letter_or_digit = [](char c) {
        return is_digit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    };
    const std::size_t first = text.find_first_of("0123456789");
    // A number in brackets is an aside (new today, awaiting approval), not the count.
    if (first == std::string_view::npos ||
        (first > 0 && (is_letter_or_digit(text[first - 1]) || text[first - 1] == '-' || text[first - 1] == '(')))
        return std::nullopt;
    // The number: digits, and separators that stand between digits.
    std::size_t end = first + digit_run(text, first);
    for (bool more = true; more;) {
        more = false;
        for (std::string_view s : kSeparators) {
            if (text.substr(end, s.size()) == s && digit_run(text, end + s.size()) > 0) {
                end += s.size();
                end += digit_run(text, end);
                more = true;
                break;
            }
        }
    }
    const std::string_view rest = text.substr(end);
    if (rest.find_first_of("0123456789") != std::string_view::npos) return std::nullopt;
    // What follows the number is a blank or a mark, never a letter of a short form or a unit.
    const bool blank_next = std::any_of(kBlanks.begin(), kBlanks.end(), [&](std::string_view b) { return rest.starts_with(b); });
    if (!rest.empty() && !blank_next) {
        const char next = rest.front();
        if (static_cast<unsigned char>(next) >= 0x80 || is_letter_or_digit(next) || next == '.' || next == ',' || next == '%')
            return std::nullopt;
    }
    return parse_board_number(text.substr(first, end - first));
}

}  // namespace

std::optional<std::int32_t> parse_labelled_number(std::string_view text) {
    // A label may spell a letter as "&#228;": its digits are no count.
    if (text.find("&#") != std::string_view::npos) return labelled_number(decode_character_references(text));
    return labelled_number(text);
}
