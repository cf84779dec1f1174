#include "analysis/page_text.h"

#include "analysis/text_case.h"

#include <cstring>

namespace {

// Appends the lines of a stretch that holds no LF; a CR inside it ends a line, and a CR at its
// very end is the CR of a CR LF pair or of the page's last break, so it ends the last line.
void split_at_carriage_returns(std::string_view stretch, std::vector<std::string>& lines) {
    for (;;) {
        const auto cr = stretch.find('\r');
        if (cr == std::string_view::npos) {
            lines.emplace_back(stretch);
            return;
        }
        lines.emplace_back(stretch.substr(0, cr));
        stretch.remove_prefix(cr + 1);
        if (stretch.empty()) return;
    }
}

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
    std::vector<std::string> lines;
    // Most pages end lines with LF or CR LF: find each LF with memchr, then look for CRs
    // only inside the stretch before it.
    const char* p = page.data();
    const char* const end = p + page.size();
    while (p < end) {
        const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* stop = lf ? lf : end;
        split_at_carriage_returns(std::string_view(p, static_cast<std::size_t>(stop - p)), lines);
        if (!lf) break;
        p = lf + 1;
    }
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
