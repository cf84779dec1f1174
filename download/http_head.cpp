#include "download/http_head.h"

#include "analysis/number_text.h"
#include "analysis/plain_text.h"
#include "analysis/text_case.h"

namespace {

// A header line may still end with its line break.
std::string_view trim(std::string_view text) { return trim_blanks(text, " \t\r\n"); }

}  // namespace

int status_of_line(std::string_view line) {
    if (line.substr(0, 5) != "HTTP/") return 0;
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos || line.size() < space + 4) return 0;
    return parse_digits<int>(line.substr(space + 1, 3)).value_or(0);
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
    return text ? parse_digits<std::uint64_t>(*text) : std::nullopt;
}
