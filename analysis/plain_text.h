#pragma once

#include <string>
#include <string_view>

// Bytes as one line of plain text: the control-byte rule and the blank trimming that every
// reader of outside text shares. Pure, no Qt.

// A byte below 0x20 (TAB, CR and LF among them) or DEL.
constexpr bool is_control_byte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

bool has_control_byte(std::string_view text);

// Each control byte as one blank: text from the web kept as one field of one list line, and
// unable to steer the terminal a log is printed on.
std::string blank_control_bytes(std::string_view text);

// The text without the given blanks at either end.
std::string_view trim_blanks(std::string_view text, std::string_view blanks = " \t");
