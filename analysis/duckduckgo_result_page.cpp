#include "analysis/search_readers.h"

#include "analysis/html_markup.h"
#include "analysis/text_scan.h"
#include "analysis/web_url.h"

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

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
    const std::string decoded = decode_character_references(text);
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        // A no-break space is a blank in a title like any other.
        const bool no_break = decoded.compare(i, 2, "\xC2\xA0") == 0;
        const bool blank = no_break || is_space(decoded[i]);
        if (no_break) ++i;
        if (blank && (collapsed.empty() || collapsed.back() == ' ')) continue;
        collapsed += blank ? ' ' : decoded[i];
    }
    while (!collapsed.empty() && collapsed.back() == ' ') collapsed.pop_back();
    return collapsed;
}

}  // namespace

SearchAnswer read_duckduckgo_html(const PageLines& page) {
    const std::string& html = page.bytes();
    SearchAnswer answer;
    if (holds_marker(html, "anomaly-modal") || holds_marker(html, "challenge-form")) {
        answer.bot_check = true;
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
        const std::string_view href = attribute(tag, "href");
        if (href.empty() || !has_class(tag, "result__a") || close == std::string::npos) continue;
        const std::string target = decode_character_references(href);
        // Ads lead through y.js.
        if (holds_marker(target, "duckduckgo.com/y.js")) continue;
        const std::string url = unwrap_redirect(target);
        const std::string title = plain_text(std::string_view(html).substr(tag_end + 1, close - tag_end - 1));
        if (auto link = link_from_result(url, title)) answer.links.push_back(std::move(*link));
        pos = close;
    }
    return answer;
}
