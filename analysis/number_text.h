#pragma once

#include <charconv>
#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The one reader of decimal numbers: text made of decimal digits only (no sign, no blanks) whose
// value fits T; nullopt for any other text. The other readings build on it.
template <std::integral T>
std::optional<T> parse_digits(std::string_view text) {
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    T value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

// The strict text-to-integer conversion: an optional sign followed by decimal digits that fit
// 32 bits. Anything else (blanks, empty text, letters, overflow) is rejected with nullopt.
std::optional<std::int32_t> parse_int_strict(std::string_view text);

// Decimal text of a signed or unsigned number.
std::string decimal_text(std::int64_t value);

// The value of one hexadecimal digit (either case), -1 for any other byte.
int hex_digit_value(char c);
