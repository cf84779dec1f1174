#include "analysis/page_text.h"

#include "analysis/page_lines.h"
#include "analysis/text_case.h"

namespace {

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equals_ignoring_case(text.substr(0, prefix.size()), prefix);
}

// The host part of an http or https URL, without user information; empty for any other URL.
std::string_view host_of(std::string_view url) {
    std::string_view rest;
    if (starts_with_ignoring_case(url, "http://"))
        rest = url.substr(7);
    else if (starts_with_ignoring_case(url, "https://"))
        rest = url.substr(8);
    else
        return {};
    std::string_view host = rest.substr(0, rest.find_first_of("/?#"));
    const auto at = host.rfind('@');
    if (at != std::string_view::npos) host.remove_prefix(at + 1);
    return host;
}

bool is_name_char(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
           c == '_';
}

}  // namespace

std::vector<std::string> split_page_lines(std::string_view page) {
    const PageLines indexed{std::string(page)};
    std::vector<std::string> lines;
    lines.reserve(indexed.size());
    for (std::size_t i = 0; i < indexed.size(); ++i) lines.emplace_back(indexed.line(i));
    return lines;
}

std::string page_file_name(std::string_view url) {
    std::string_view host = host_of(url);
    if (host.substr(0, 4) == "www.") host.remove_prefix(4);
    // 251 bytes of host keep the name within the 255 bytes a file name may have.
    host = host.substr(0, 251);
    if (host.empty()) return "_.htm";
    std::string name;
    name.reserve(host.size() + 4);
    for (const char c : host) name += is_name_char(c) ? c : '_';
    name += ".htm";
    return name;
}

std::string page_file_text(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines) size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}
