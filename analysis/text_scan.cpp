#include "analysis/text_scan.h"

namespace {

// 0-based index of the leftmost occurrence, or npos; an empty needle is never found.
std::size_t find(std::string_view text, std::string_view needle, std::size_t from = 0) {
    if (needle.empty() || text.empty()) return std::string_view::npos;
    return text.find(needle, from);
}

}  // namespace

std::string before_marker(std::string_view text, std::string_view marker) {
    const auto p = find(text, marker);
    return std::string(p == std::string_view::npos ? text : text.substr(0, p));
}

std::string after_marker(std::string_view text, std::string_view marker) {
    const auto p = find(text, marker);
    return p == std::string_view::npos ? std::string() : std::string(text.substr(p + marker.size()));
}

void replace_all(std::string& s, std::string_view needle, std::string_view replacement) {
    if (needle.empty()) return;
    // Joining head and tail can form a new needle, so each pass looks again from the start,
    // but never before the earliest place where such a needle could begin.
    std::size_t from = 0;
    for (auto p = s.find(needle); p != std::string::npos; p = s.find(needle, from)) {
        s.replace(p, needle.size(), replacement);
        from = p >= needle.size() ? p - (needle.size() - 1) : 0;
    }
}

void cut_span(std::string_view text, std::string_view start, std::string_view end, int& found, std::string& span) {
    found = -1;
    const auto s = find(text, start);
    if (s == std::string_view::npos) return;
    const auto e = find(text, end, s);
    if (e == std::string_view::npos) return;
    found = 1;
    span.assign(text.substr(s, e - s + end.size()));
}

void cut_between(std::string_view text, std::string_view start, std::string_view end, int& found, std::string& inner) {
    found = -1;
    const auto s = find(text, start);
    if (s == std::string_view::npos) return;
    const auto q = s + start.size();
    const auto e = find(text, end, q);
    if (e == std::string_view::npos) return;
    found = 1;
    inner.assign(text.substr(q, e - q));
}

bool holds_marker(std::string_view text, std::string_view marker) {
    return find(text, marker) != std::string_view::npos;
}

bool is_web_link(std::string_view text) {
    return holds_marker(text, "http") && !holds_marker(text, "google") && text.size() >= 11;
}

bool is_digits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}
