#include "analysis/json_text.h"

#include "analysis/number_text.h"

namespace {

// Length of the well-formed UTF-8 sequence at the start of text, or 0 when there is none
// (overlong forms, surrogates and values above U+10FFFF are not well-formed).
std::size_t utf8_sequence_length(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return length;
}

}  // namespace

std::string json_string(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    while (!bytes.empty()) {
        const unsigned char c = static_cast<unsigned char>(bytes.front());
        const std::size_t length = utf8_sequence_length(bytes);
        if (length == 0) {
            out += "\\ufffd";
            bytes.remove_prefix(1);
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else {
            out.append(bytes.substr(0, length));
        }
        bytes.remove_prefix(length);
    }
    out += '"';
    return out;
}

std::string json_string_or_null(const std::optional<std::string>& text) { return text ? json_string(*text) : "null"; }

std::string json_number_or_null(const std::optional<std::string>& text) {
    const auto number = text ? parse_int_strict(*text) : std::nullopt;
    return number ? decimal_text(*number) : "null";
}
