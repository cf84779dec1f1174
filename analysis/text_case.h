#pragma once

#include <string_view>

// Equality that ignores the letter case of ASCII letters; other bytes compare exactly.
bool equals_ignoring_case(std::string_view a, std::string_view b);
