#include "analysis/web_url.h"

#include "analysis/text_case.h"

#include <algorithm>

namespace {

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equals_ignoring_case(text.substr(0, prefix.size()), prefix);
}

bool has_control_character(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    });
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::size_t web_scheme_length(std::string_view url) {
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")})
        if (starts_with_ignoring_case(url, scheme)) return scheme.size();
    return 0;
}

std::string_view web_host_and_port(std::string_view url) {
    const std::size_t scheme = web_scheme_length(url);
    if (scheme == 0) return {};
    const std::string_view rest = url.substr(scheme);
    std::string_view authority = rest.substr(0, rest.find_first_of("/?#"));
    const auto at = authority.rfind('@');
    if (at != std::string_view::npos) authority.remove_prefix(at + 1);
    return authority;
}

std::string_view web_host(std::string_view url) {
    const std::string_view host = web_host_and_port(url);
    // A literal IPv6 address keeps its brackets and the colons inside them.
    if (host.substr(0, 1) == "[") return host.substr(0, host.find(']') + 1);
    return host.substr(0, host.find(':'));
}

bool is_web_address(std::string_view url) {
    return !has_control_character(url) && !web_host(url).empty();
}

bool is_mail_address(std::string_view url) {
    constexpr std::string_view scheme = "mailto:";
    return !has_control_character(url) && starts_with_ignoring_case(url, scheme) && url.size() > scheme.size();
}

std::string percent_encode(std::string_view text, bool (*keep)(unsigned char byte)) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (keep(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHexDigits[byte >> 4];
            encoded += kHexDigits[byte & 0x0F];
        }
    }
    return encoded;
}

std::string percent_decode(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex_value(text[i + 1]) >= 0 && hex_value(text[i + 2]) >= 0) {
            decoded += static_cast<char>(hex_value(text[i + 1]) * 16 + hex_value(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}
