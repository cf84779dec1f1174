#include "model/console/url_list.h"

#include "analysis/page_text.h"
#include "analysis/plain_text.h"
#include "analysis/web_url.h"

#include <algorithm>

namespace {

// A list can hold anything; what is echoed must not steer the terminal nor flood it.
std::string shown(std::string_view line) {
    constexpr std::size_t kShown = 100;
    std::string text(line.substr(0, kShown));
    std::replace_if(text.begin(), text.end(), is_control_byte, '?');
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
        const std::string_view line = trim_blanks(lines[i]);
        if (line.empty() || line.front() == '#') continue;
        if (is_web_address(line))
            list.urls.emplace_back(line);
        else
            list.refused.push_back({static_cast<int>(i + 1), shown(line)});
    }
    return list;
}
