#include "download/http_head.h"

#include "analysis/plain_text.h"
#include "analysis/text_case.h"

#include <charconv>

namespace {

// A header line may still end with its line break.
std::string_view trim(std::string_view text) { return trim_blanks(text, " \t\r\n"); }

}  // namespace

int status_of_line(std::string_view line) {
    if (line.substr(0, 5) != "HTTP/") return 0;
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos || line.size() < space + 4) return 0;
    int status = 0;
    const char* first = line.data() + space + 1;
    const auto [end, ec] = std::from_chars(first, first + 3, status);
    return ec == std::errc() && end == first + 3 ? status : 0;
}

std::optional<std::string> header_value(std::string_view head, std::string_view name) {
    std::optional<std::string> found;
    while (!head.empty()) {
        const std::size_t end = head.find('\n');
        const std::string_view line = head.substr(0, end);
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos && equals_ignoring_case(trim(line.substr(0, colon)), name))
            found = std::string(trim(line.substr(colon + 1)));
        if (end == std::string_view::npos) break;
        head.remove_prefix(end + 1);
    }
    return found;
}

std::optional<std::uint64_t> content_length_of(std::string_view head) {
    const auto text = header_value(head, "Content-Length");
    if (!text || text->empty()) return std::nullopt;
    std::uint64_t length = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), length);
    if (ec != std::errc() || end != text->data() + text->size()) return std::nullopt;
    return length;
}
