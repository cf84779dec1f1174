#pragma once

#include <string>
#include <string_view>

// Equality that ignores the letter case of ASCII letters; other bytes compare exactly.
bool equals_ignoring_case(std::string_view a, std::string_view b);
// text with its ASCII letters in lower case; other bytes as they are.
std::string ascii_lower(std::string_view text);
