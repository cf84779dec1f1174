#include "analysis/page_base.h"

#include "analysis/html_markup.h"
#include "analysis/web_url.h"

std::string page_link_base(std::string_view served_url, std::string_view page) {
    // A <base> belongs in the head: one in the body is no base of the page's links.
    const std::size_t body = find_start_tag(page, "body", 0);
    const std::size_t at = find_start_tag(page.substr(0, body), "base", 0);
    if (at == std::string_view::npos) return std::string(served_url);
    const std::string href = decode_character_references(attribute(tag_at(page, at), "href"));
    const auto base = href.empty() ? std::nullopt : resolve_url(served_url, href);
    return base && base->is_web() ? base->url : std::string(served_url);
}
