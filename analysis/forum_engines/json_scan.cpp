#include "analysis/forum_engines/json_scan.h"

#include "analysis/forum_engines/board_number.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\n";

std::size_t skip_blanks(std::string_view text, std::size_t pos) {
    const std::size_t p = text.find_first_not_of(kBlanks, pos);
    return p == std::string_view::npos ? text.size() : p;
}

// Behind the closing quote of the string that opens at pos.
std::size_t string_end(std::string_view text, std::size_t pos) {
    for (std::size_t p = pos + 1; p < text.size(); ++p) {
        if (text[p] == '\\') ++p;
        else if (text[p] == '"') return p + 1;
    }
    return std::string_view::npos;
}

// Calls visit(value_text) for each value of the object or array at text[0], with the member's
// key (unquoted, escapes kept) for objects. False on malformed text: every step must take a
// whole value, so a stray '}' in an array or ']' in an object ends the walk instead of being
// taken again and again as an empty value.
template <typename Visit>
bool walk_container(std::string_view text, bool object, Visit visit) {
    const char close = object ? '}' : ']';
    std::size_t p = skip_blanks(text, 1);
    while (p < text.size() && text[p] != close) {
        std::string_view key;
        if (object) {
            if (text[p] != '"') return false;
            const std::size_t key_end = string_end(text, p);
            if (key_end == std::string_view::npos) return false;
            key = text.substr(p + 1, key_end - p - 2);
            p = skip_blanks(text, key_end);
            if (p >= text.size() || text[p] != ':') return false;
            p = skip_blanks(text, p + 1);
        }
        const std::size_t end = json_value_end(text, p);
        if (end == std::string_view::npos || end == p) return false;
        visit(key, text.substr(p, end - p));
        p = skip_blanks(text, end);
        if (p < text.size() && text[p] == ',') p = skip_blanks(text, p + 1);
        else if (p < text.size() && text[p] != close) return false;
    }
    return p < text.size();
}

}  // namespace

std::size_t json_value_end(std::string_view text, std::size_t pos) {
    pos = skip_blanks(text, pos);
    if (pos >= text.size()) return std::string_view::npos;
    if (text[pos] == '"') return string_end(text, pos);
    if (text[pos] != '{' && text[pos] != '[') {
        const std::size_t end = text.find_first_of(",}]", pos);
        return end == std::string_view::npos ? text.size() : end;
    }
    int depth = 0;
    for (std::size_t p = pos; p < text.size(); ++p) {
        const char c = text[p];
        if (c == '"') {
            p = string_end(text, p);
            if (p == std::string_view::npos) return p;
            --p;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if ((c == '}' || c == ']') && --depth == 0) {
            return p + 1;
        }
    }
    return std::string_view::npos;
}

std::string_view json_member(std::string_view object, std::string_view key) {
    std::string_view found;
    if (object.empty() || object.front() != '{') return found;
    const bool whole = walk_container(object, true, [&](std::string_view k, std::string_view value) {
        if (found.empty() && k == key) found = value;
    });
    return whole ? found : std::string_view();
}

std::vector<std::string_view> json_items(std::string_view array) {
    std::vector<std::string_view> items;
    if (array.empty() || array.front() != '[') return items;
    if (!walk_container(array, false, [&](std::string_view, std::string_view value) { items.push_back(value); }))
        items.clear();
    return items;
}

std::string_view object_behind(std::string_view text, std::string_view marker) {
    const std::size_t at = text.find(marker);
    if (at == std::string_view::npos) return {};
    const std::size_t brace = text.find('{', at + marker.size());
    if (brace == std::string_view::npos) return {};
    const std::size_t end = json_value_end(text, brace);
    return end == std::string_view::npos ? std::string_view() : text.substr(brace, end - brace);
}

std::string_view json_string_text(std::string_view value) {
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') return {};
    return value.substr(1, value.size() - 2);
}

std::optional<std::int32_t> json_count(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return parse_board_number(value);
}
