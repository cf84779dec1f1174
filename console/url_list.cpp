#include "console/url_list.h"

#include "analysis/page_text.h"
#include "analysis/web_url.h"

namespace {

std::string_view trimmed(std::string_view line) {
    constexpr std::string_view kBlanks = " \t";
    const auto first = line.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
}

// A list can hold anything; what is echoed must not steer the terminal nor flood it.
std::string shown(std::string_view line) {
    constexpr std::size_t kShown = 100;
    std::string text(line.substr(0, kShown));
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return line.size() > kShown ? text + "..." : text;
}

}  // namespace

bool is_url_list(std::string_view bytes) {
    return bytes.substr(0, bytes.find_first_of("\r\n")).find('\t') == std::string_view::npos;
}

UrlList read_url_list(std::string_view bytes) {
    UrlList list;
    const auto lines = split_page_lines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = trimmed(lines[i]);
        if (line.empty() || line.front() == '#') continue;
        if (is_web_address(line))
            list.urls.emplace_back(line);
        else
            list.refused.push_back({static_cast<int>(i + 1), shown(line)});
    }
    return list;
}
