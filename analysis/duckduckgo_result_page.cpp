#include "analysis/search_readers.h"

#include "analysis/text_scan.h"

#include <cstdint>
#include <optional>

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

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

// The character references DuckDuckGo writes: the five named ones, &nbsp; and numeric ones.
std::string decode_entities(std::string_view text) {
    static constexpr std::pair<std::string_view, std::string_view> kNamed[] = {
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&nbsp;", " "}};
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        bool done = false;
        for (const auto& [entity, value] : kNamed) {
            if (text.substr(i, entity.size()) == entity) {
                out += value;
                i += entity.size();
                done = true;
                break;
            }
        }
        if (done) continue;
        // A reference is short: looking further for its ';' would make "&#&#&#..." quadratic.
        const auto semicolon = text.substr(0, i + 11).find(';', i);
        if (text.substr(i, 2) == "&#" && semicolon != std::string_view::npos) {
            const bool hex = i + 2 < text.size() && (text[i + 2] == 'x' || text[i + 2] == 'X');
            std::uint32_t code = 0;
            bool digits = semicolon > i + (hex ? 3 : 2);
            for (std::size_t k = i + (hex ? 3 : 2); k < semicolon && digits; ++k) {
                const char c = text[k];
                int d = c >= '0' && c <= '9' ? c - '0' : -1;
                if (hex && d < 0) d = c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
                if (d < 0) digits = false;
                else code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
            }
            if (digits) {
                append_utf8(out, code);
                i = semicolon + 1;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percent_decode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex_value(text[i + 1]) >= 0 && hex_value(text[i + 2]) >= 0) {
            out += static_cast<char>(hex_value(text[i + 1]) * 16 + hex_value(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// "//duckduckgo.com/l/?uddg=X&rut=..." leads to X; any other address is itself.
std::string unwrap_redirect(const std::string& href) {
    constexpr std::string_view kRedirect = "duckduckgo.com/l/?";
    const auto l = href.find(kRedirect);
    if (l == std::string::npos || (href.compare(0, 2, "//") != 0 && href.compare(0, 4, "http") != 0)) return href;
    std::string_view query = std::string_view(href).substr(l + kRedirect.size());
    while (!query.empty()) {
        const auto amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        constexpr std::string_view kTarget = "uddg=";
        if (pair.starts_with(kTarget)) return percent_decode(pair.substr(kTarget.size()));
        if (amp == std::string_view::npos) break;
        query.remove_prefix(amp + 1);
    }
    return {};
}

// The value of attribute `name` in one tag's text ("<a" up to ">"), attributes in any order,
// quoted with " or ' or unquoted.
std::optional<std::string_view> attribute(std::string_view tag, std::string_view name) {
    std::size_t i = 2;
    while (i < tag.size()) {
        while (i < tag.size() && (is_space(tag[i]) || tag[i] == '/')) ++i;
        const std::size_t name_start = i;
        while (i < tag.size() && !is_space(tag[i]) && tag[i] != '=') ++i;
        const std::string_view found = tag.substr(name_start, i - name_start);
        while (i < tag.size() && is_space(tag[i])) ++i;
        std::string_view value;
        if (i < tag.size() && tag[i] == '=') {
            ++i;
            while (i < tag.size() && is_space(tag[i])) ++i;
            if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) {
                const char quote = tag[i++];
                const auto end = tag.find(quote, i);
                value = tag.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
                i = end == std::string_view::npos ? tag.size() : end + 1;
            } else {
                const std::size_t start = i;
                while (i < tag.size() && !is_space(tag[i])) ++i;
                value = tag.substr(start, i - start);
            }
        }
        if (found == name) return value;
        if (found.empty()) ++i;
    }
    return std::nullopt;
}

bool class_holds(std::string_view classes, std::string_view wanted) {
    while (!classes.empty()) {
        while (!classes.empty() && is_space(classes.front())) classes.remove_prefix(1);
        std::size_t n = 0;
        while (n < classes.size() && !is_space(classes[n])) ++n;
        if (classes.substr(0, n) == wanted) return true;
        classes.remove_prefix(n);
    }
    return false;
}

// Link text without its inner tags, blanks run together.
std::string plain_text(std::string_view html) {
    std::string text;
    bool in_tag = false;
    for (const char c : html) {
        if (c == '<') in_tag = true;
        else if (c == '>') in_tag = false;
        else if (!in_tag) text += c;
    }
    std::string collapsed;
    for (const char c : decode_entities(text)) {
        const bool blank = is_space(c);
        if (blank && (collapsed.empty() || collapsed.back() == ' ')) continue;
        collapsed += blank ? ' ' : c;
    }
    while (!collapsed.empty() && collapsed.back() == ' ') collapsed.pop_back();
    return collapsed;
}

}  // namespace

SearchAnswer read_duckduckgo_html(const PageLines& page) {
    const std::string& html = page.bytes();
    SearchAnswer answer;
    if (holds_marker(html, "anomaly-modal") || holds_marker(html, "challenge-form")) {
        answer.note = kDuckDuckGoBotCheckNote;
        return answer;
    }
    std::size_t pos = 0;
    // The first "</a>" at or behind the current anchor, kept from one anchor to the next: anchors
    // left open all share it, and looking for it again from each would make the page quadratic.
    std::size_t close = 0;
    while ((pos = html.find("<a", pos)) != std::string::npos) {
        const auto tag_end = html.find('>', pos);
        if (tag_end == std::string::npos) break;
        const std::string_view tag(html.data() + pos, tag_end - pos);
        if (close != std::string::npos && close < tag_end) close = html.find("</a>", tag_end);
        pos = tag_end;
        if (tag.size() < 3 || !is_space(tag[2])) continue;
        const auto classes = attribute(tag, "class");
        const auto href = attribute(tag, "href");
        if (!classes || !href || !class_holds(*classes, "result__a") || close == std::string::npos) continue;
        const std::string target = decode_entities(*href);
        // Ads lead through y.js.
        if (holds_marker(target, "duckduckgo.com/y.js")) continue;
        const std::string url = unwrap_redirect(target);
        const std::string title = plain_text(std::string_view(html).substr(tag_end + 1, close - tag_end - 1));
        if (auto link = link_from_result(url, title)) answer.links.push_back(std::move(*link));
        pos = close;
    }
    return answer;
}
