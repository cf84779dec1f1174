#include "analysis/link_extraction.h"

#include "analysis/plain_text.h"
#include "analysis/text_scan.h"

#include <algorithm>

namespace {

constexpr std::string_view kAnchorEnd = "</a>";
constexpr std::string_view kTopicMarker = "viewtopic";
constexpr std::string_view kForumIndex = "index.php";

// Cuts a bold-free anchor down to the text behind its last inner tag: step from ">" to ">"
// until nothing is left behind one, then keep what precedes "</a>" in the last non-empty rest.
void keep_text_behind_last_tag(std::string& anchor) {
    std::string_view last;
    std::string_view rest = anchor;
    do {
        last = rest;
        const auto p = last.find('>');
        rest = p == std::string_view::npos ? std::string_view() : last.substr(p + 1);
    } while (!rest.empty());
    const auto offset = static_cast<std::size_t>(last.data() - anchor.data());
    const auto length = before_view(last, kAnchorEnd).size();
    anchor.erase(offset + length);
    anchor.erase(0, offset);
}

void remove_bold(std::string& text) {
    replace_all(text, "<b>", "");
    replace_all(text, "</b>", "");
}

// The description of an anchor whose href ends at tail_start - 1. No bold tag can hold that
// double quote, so removing the tags leaves it standing between what the tags left of the head
// and of the tail. When the tail keeps a ">" before its closing "</a>", the description lies in
// the tail alone and the head need not be copied.
std::string anchor_description(std::string_view anchor, std::size_t tail_start) {
    std::string text(anchor.substr(tail_start));
    remove_bold(text);
    const auto first_close = text.find('>');
    if (first_close == std::string::npos || first_close + 1 == text.size()) {
        text.assign(anchor);
        remove_bold(text);
    }
    keep_text_behind_last_tag(text);
    return text;
}

}  // namespace

std::optional<AnchorLink> find_anchor_link(std::string_view line) {
    const auto anchor = span_view(line, kAnchorStart, kAnchorEnd);
    if (!anchor) return std::nullopt;
    // The anchor begins with its start marker, so the href runs from behind it to the next double quote.
    const auto quote = anchor->find('"', kAnchorStart.size());
    if (quote == std::string_view::npos) return std::nullopt;
    const auto href = anchor->substr(kAnchorStart.size(), quote - kAnchorStart.size());
    // The filter looks at the address only, so a line it rejects needs no description.
    if (!is_web_link(href)) return std::nullopt;
    return AnchorLink{*anchor, quote, before_view(href, kTopicMarker).size()};
}

void write_url(const AnchorLink& link, std::string& url) {
    url.assign(link.href().substr(0, link.url_kept));
    if (link.topic()) url.append(kForumIndex);
}

std::string description_of(const AnchorLink& link) {
    return anchor_description(link.anchor, link.href_end + 1);
}

std::optional<FoundLink> extract_link(std::string_view line) {
    const auto found = find_anchor_link(line);
    if (!found) return std::nullopt;
    FoundLink link;
    write_url(*found, link.url);
    link.description = description_of(*found);
    return link;
}

std::string forum_index_url(std::string_view url) {
    const auto kept = before_view(url, kTopicMarker);
    if (kept.size() == url.size()) return std::string(url);
    std::string index;
    index.reserve(kept.size() + kForumIndex.size());
    index.assign(kept).append(kForumIndex);
    return index;
}

std::optional<FoundLink> link_from_result(std::string_view url, std::string_view title) {
    const auto unsafe = [](char c) { return c == ' ' || is_control_byte(c); };
    if (std::any_of(url.begin(), url.end(), unsafe) || !is_web_link(url)) return std::nullopt;
    return FoundLink{forum_index_url(url), blank_control_bytes(title)};
}

bool is_duplicate_link(std::string_view url, std::string_view stored_caption) {
    return url == stored_caption || holds_marker(stored_caption, url) || holds_marker(url, stored_caption);
}
