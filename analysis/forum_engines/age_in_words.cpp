#include "analysis/forum_engines/age_in_words.h"

#include "analysis/calendar_day.h"
#include "analysis/text_case.h"

#include <array>
#include <cctype>
#include <string>
#include <utility>

namespace {

// The next word or number of text at or after pos; blanks, commas and "and" between pairs are
// passed over. Empty at the end.
std::string_view next_word(std::string_view text, std::size_t& pos) {
    const auto is_word = [](unsigned char c) { return std::isalnum(c) != 0; };
    while (pos < text.size() && !is_word(static_cast<unsigned char>(text[pos]))) ++pos;
    const std::size_t start = pos;
    while (pos < text.size() && is_word(static_cast<unsigned char>(text[pos]))) ++pos;
    return text.substr(start, pos - start);
}

// Seconds of one unit word ("days", "Hour"); 0 for a unit without an exact length, -1 for no unit.
std::int64_t unit_seconds(std::string_view word) {
    std::string unit = ascii_lower(word);
    if (unit.ends_with('s')) unit.pop_back();
    static constexpr std::array<std::pair<std::string_view, std::int64_t>, 7> kUnits = {{
        {"second", 1}, {"minute", 60}, {"hour", 3600}, {"day", 86400}, {"week", 7 * 86400}, {"month", 0}, {"year", 0}}};
    for (const auto& [name, seconds] : kUnits)
        if (unit == name) return seconds;
    return -1;
}

// The count of a pair: digits (at most six), or "a"/"an"; nullopt for anything else.
std::optional<std::int64_t> pair_count(std::string_view word) {
    if (!word.empty() && word.size() <= 6 && word.find_first_not_of("0123456789") == std::string_view::npos) {
        std::int64_t n = 0;
        for (char c : word) n = n * 10 + (c - '0');
        return n;
    }
    const std::string article = ascii_lower(word);
    if (article == "a" || article == "an") return 1;
    return std::nullopt;
}

}  // namespace

std::optional<std::int64_t> age_in_words(std::string_view text) {
    // Pairs of count and unit, read until "ago" closes them; anything else starts over.
    std::int64_t span = 0;
    int pairs = 0;
    bool inexact = false;
    std::size_t pos = 0;
    for (std::string_view word = next_word(text, pos); !word.empty(); word = next_word(text, pos)) {
        if (equals_ignoring_case(word, "ago") && pairs > 0) {
            if (!inexact) return span;
        } else if (equals_ignoring_case(word, "and") && pairs > 0) {
            continue;
        } else if (const auto count = pair_count(word)) {
            const std::size_t after_count = pos;
            const std::int64_t seconds = unit_seconds(next_word(text, pos));
            if (seconds >= 0 && pairs < 3) {
                span += *count * seconds;
                inexact = inexact || seconds == 0;
                ++pairs;
                continue;
            }
            pos = after_count;
        }
        span = 0;
        pairs = 0;
        inexact = false;
    }
    return std::nullopt;
}

bool take_age_in_words(std::string_view text, std::int64_t download_time, NewestPost& newest) {
    const auto age = age_in_words(text);
    // The clock is brought into range first, as the date reader does: no age reaches past it.
    return age && newest.take_unix_time(clamp_unix_time(download_time) - *age);
}
