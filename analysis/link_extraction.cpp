#include "analysis/link_extraction.h"

#include "analysis/text_scan.h"

namespace {

constexpr std::string_view kAnchorStart = "<a href=\"";
constexpr std::string_view kAnchorEnd = "</a>";

// The text behind the anchor's last inner tag: step from ">" to ">" until nothing is left
// behind one, then take what precedes "</a>" in the last non-empty rest.
std::string description_of(std::string_view anchor) {
    std::string_view last;
    std::string_view rest = anchor;
    do {
        last = rest;
        const auto p = last.find('>');
        rest = p == std::string_view::npos ? std::string_view() : last.substr(p + 1);
    } while (!rest.empty());
    return before_marker(last, kAnchorEnd);
}

}  // namespace

std::optional<FoundLink> extract_link(std::string_view line) {
    int found = -1;
    std::string anchor;
    cut_span(line, kAnchorStart, kAnchorEnd, found, anchor);
    if (found == -1) return std::nullopt;

    std::string url;
    cut_between(anchor, kAnchorStart, "\"", found, url);
    if (found == -1) return std::nullopt;

    replace_all(anchor, "<b>", "");
    replace_all(anchor, "</b>", "");
    std::string description = description_of(anchor);

    if (!is_web_link(url)) return std::nullopt;
    // A topic link stands for its forum: keep the address up to "viewtopic" and point it at the index.
    if (holds_marker(url, "viewtopic")) url = before_marker(url, "viewtopic") + "index.php";
    return FoundLink{std::move(url), std::move(description)};
}

bool is_duplicate_link(std::string_view url, std::string_view stored_caption) {
    return url == stored_caption || holds_marker(stored_caption, url) || holds_marker(url, stored_caption);
}
