#pragma once

#include <string>
#include <string_view>

// Text handed across the binding interfaces is UTF-16; the program's own text is UTF-8 bytes.
std::u16string to_utf16(std::string_view text);
std::string from_utf16(std::u16string_view text);
