#include "analysis/page_text.h"

#include "analysis/page_lines.h"
#include "analysis/web_url.h"

namespace {

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
    std::string_view host = web_host_and_port(url);
    if (host.substr(0, 4) == "www.") host.remove_prefix(4);
    // The host's bytes that keep the name, ".htm" added, within the 255 bytes a file name may have.
    constexpr std::size_t kMostHostBytes = 251;
    host = host.substr(0, kMostHostBytes);
    if (host.empty()) return "_.htm";
    std::string name;
    name.reserve(host.size() + 4);
    for (const char c : host) name += is_name_char(c) ? c : '_';
    name += ".htm";
    return name;
}

