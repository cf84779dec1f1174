#include "analysis/plain_text.h"

#include <algorithm>

bool has_control_byte(std::string_view text) { return std::any_of(text.begin(), text.end(), is_control_byte); }

std::string blank_control_bytes(std::string_view text) {
    std::string plain(text);
    std::replace_if(plain.begin(), plain.end(), is_control_byte, ' ');
    return plain;
}

std::string_view trim_blanks(std::string_view text, std::string_view blanks) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}
