#include "analysis/html_markup.h"

#include "analysis/number_text.h"

#include "analysis/text_scan.h"

#include <cstdint>
#include <string>
#include <utility>

namespace {

constexpr std::string_view kBlanks = " \t\r\n\f";

bool is_blank(char c) { return kBlanks.find(c) != std::string_view::npos; }

void append_utf8(std::string& out, std::uint32_t code) {
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The numeric reference "&#...;" at the start of text: its length, and the character it names
// (appended to out). 0 when text does not start with a complete one.
std::size_t decode_numeric_reference(std::string_view text, std::string& out) {
    const bool hex = text.size() > 2 && (text[2] == 'x' || text[2] == 'X');
    const std::size_t first = hex ? 3 : 2;
    std::uint32_t code = 0;
    std::size_t i = first;
    // Eight digits name more than any character; the bound keeps the value from overflowing.
    for (; i < text.size() && i < first + 8; ++i) {
        const char c = text[i];
        const int digit = hex ? hex_digit_value(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0) break;
        code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
    }
    if (i == first || i >= text.size() || text[i] != ';') return 0;
    append_utf8(out, code);
    return i + 1;
}

bool ends_tag_name(char c) { return c == ' ' || c == '>' || c == '/' || c == '\t' || c == '\r' || c == '\n'; }

bool start_tag_at(std::string_view page, std::size_t pos, std::string_view name) {
    const std::size_t after = pos + 1 + name.size();
    return after < page.size() && page[pos] == '<' && page.substr(pos + 1, name.size()) == name &&
           ends_tag_name(page[after]);
}

bool end_tag_at(std::string_view page, std::size_t pos, std::string_view name) {
    const std::size_t after = pos + 2 + name.size();
    return after < page.size() && page.substr(pos, 2) == "</" && page.substr(pos + 2, name.size()) == name &&
           (page[after] == '>' || page[after] == ' ');
}

}  // namespace

std::size_t find_start_tag(std::string_view page, std::string_view name, std::size_t from) {
    for (std::size_t pos = page.find('<', from); pos != std::string_view::npos; pos = page.find('<', pos + 1))
        if (start_tag_at(page, pos, name)) return pos;
    return std::string_view::npos;
}

std::string_view tag_at(std::string_view page, std::size_t pos) {
    const std::string_view rest = page.substr(pos, kElementReadLimit);
    const std::size_t close = rest.find('>');
    return close == std::string_view::npos ? rest : rest.substr(0, close + 1);
}

std::string_view attribute(std::string_view tag, std::string_view name) {
    std::size_t i = tag.starts_with('<') ? 1 : 0;
    while (i < tag.size() && !is_blank(tag[i]) && tag[i] != '>' && tag[i] != '/') ++i;
    while (i < tag.size() && tag[i] != '>') {
        if (is_blank(tag[i]) || tag[i] == '/') {
            ++i;
            continue;
        }
        const std::size_t name_start = i;
        while (i < tag.size() && !is_blank(tag[i]) && tag[i] != '=' && tag[i] != '>') ++i;
        const std::string_view found = tag.substr(name_start, i - name_start);
        const std::size_t after_name = i;
        while (i < tag.size() && is_blank(tag[i])) ++i;
        std::string_view value;
        if (i < tag.size() && tag[i] == '=') {
            ++i;
            while (i < tag.size() && is_blank(tag[i])) ++i;
            if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) {
                const char quote = tag[i++];
                const std::size_t end = tag.find(quote, i);
                value = tag.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
                i = end == std::string_view::npos ? tag.size() : end + 1;
            } else {
                const std::size_t start = i;
                while (i < tag.size() && !is_blank(tag[i]) && tag[i] != '>') ++i;
                value = tag.substr(start, i - start);
            }
        } else {
            i = after_name;  // an attribute without a value; what follows is the next name
        }
        if (found == name) return value;
        if (i == name_start) ++i;
    }
    return {};
}

bool has_class(std::string_view tag, std::string_view name) {
    const std::string_view classes = attribute(tag, "class");
    std::size_t pos = 0;
    while (pos < classes.size()) {
        const std::size_t start = classes.find_first_not_of(kBlanks, pos);
        if (start == std::string_view::npos) break;
        std::size_t end = classes.find_first_of(kBlanks, start);
        if (end == std::string_view::npos) end = classes.size();
        if (classes.substr(start, end - start) == name) return true;
        pos = end;
    }
    return false;
}

std::string_view element_content(std::string_view page, std::size_t pos, std::string_view name) {
    const std::string_view tag = tag_at(page, pos);
    if (!tag.ends_with('>')) return {};
    const std::string_view rest = page.substr(pos + tag.size(), kElementReadLimit);
    // Left open, the element ends where the next one of its name begins, as a new <td> ends an
    // open one: so the open elements of a hostile page share no bytes, and reading each one's
    // content stays one pass over the page. One quick search for the end tag tells them apart.
    if (find_marker(rest, std::string("</").append(name), 0) == std::string_view::npos)
        return rest.substr(0, find_start_tag(rest, name, 0));
    int depth = 1;
    std::size_t first_nested = std::string_view::npos;
    for (std::size_t lt = rest.find('<'); lt != std::string_view::npos; lt = rest.find('<', lt + 1)) {
        if (end_tag_at(rest, lt, name)) {
            if (--depth == 0) return rest.substr(0, lt);
        } else if (start_tag_at(rest, lt, name)) {
            ++depth;
            if (first_nested == std::string_view::npos) first_nested = lt;
        }
    }
    return rest.substr(0, first_nested);
}

std::string_view leading_text(std::string_view content) { return content.substr(0, content.find('<')); }

std::string_view next_text_run(std::string_view content, std::size_t& pos) {
    while (pos < content.size()) {
        const std::size_t open = content.find('<', pos);
        const std::string_view run = content.substr(pos, open == std::string_view::npos ? open : open - pos);
        const std::size_t close = open == std::string_view::npos ? open : content.find('>', open);
        pos = close == std::string_view::npos ? content.size() : close + 1;
        if (run.find_first_not_of(" \t\r\n") != std::string_view::npos) return run;
    }
    return {};
}

std::string_view first_text(std::string_view content) {
    std::size_t pos = 0;
    return next_text_run(content, pos);
}

std::string decode_character_references(std::string_view text) {
    static constexpr std::pair<std::string_view, std::string_view> kNamed[] = {
        {"&amp;", "&"},   {"&lt;", "<"},    {"&gt;", ">"},
        {"&quot;", "\""}, {"&apos;", "'"}, {"&nbsp;", "\xC2\xA0"}};
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t amp = text.find('&', i);
        out.append(text.substr(i, amp == std::string_view::npos ? amp : amp - i));
        if (amp == std::string_view::npos) break;
        i = amp;
        const std::string_view rest = text.substr(i);
        std::size_t used = rest.starts_with("&#") ? decode_numeric_reference(rest, out) : 0;
        for (const auto& [name, value] : kNamed) {
            if (used == 0 && rest.starts_with(name)) {
                out += value;
                used = name.size();
            }
        }
        if (used == 0) {
            out += '&';
            used = 1;
        }
        i += used;
    }
    return out;
}
