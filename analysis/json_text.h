#pragma once

#include <optional>
#include <string>
#include <string_view>

// JSON values as text, for output that programs read.

// A JSON string of the bytes: quotes, backslashes and control characters escaped; UTF-8 kept
// as it is; a byte that is not part of well-formed UTF-8 (a page in another code page) becomes
// U+FFFD, so the output is always valid JSON.
std::string json_string(std::string_view bytes);
// json_string of the text, or null without one.
std::string json_string_or_null(const std::optional<std::string>& text);
// The text as a JSON number when it is a whole number (the strict conversion), otherwise null.
std::string json_number_or_null(const std::optional<std::string>& text);
