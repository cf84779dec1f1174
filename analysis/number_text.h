#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The strict text-to-integer conversion: an optional sign followed by decimal digits that fit
// 32 bits. Anything else (blanks, empty text, letters, overflow) is rejected with nullopt.
std::optional<std::int32_t> parse_int_strict(std::string_view text);

// Decimal text of a signed or unsigned number.
std::string decimal_text(std::int64_t value);

// The value of one hexadecimal digit (either case), -1 for any other byte.
int hex_digit_value(char c);
