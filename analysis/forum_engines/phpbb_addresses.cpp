#include "analysis/forum_engines/phpbb_addresses.h"

#include "analysis/forum_engines/engine_marks.h"
#include "analysis/html_markup.h"

namespace {

constexpr auto npos = std::string_view::npos;

// Where the first link to a topic (not to a post) stands: viewtopic.php with a t= parameter.
std::size_t first_topic_link(std::string_view page) {
    constexpr std::string_view kScript = "viewtopic.php?";
    for (std::size_t at = page.find(kScript); at != npos; at = page.find(kScript, at + 1)) {
        const std::size_t query = at + kScript.size();
        const std::string_view rest = page.substr(query, page.find_first_of("\"'# >", query) - query);
        if (rest.starts_with("t=") || rest.find("&amp;t=") != npos || rest.find("&t=") != npos) return at;
    }
    return npos;
}

}  // namespace

bool links_phpbb3_scripts(std::string_view page) {
    return holds_any(page, {"ucp.php"}) && holds_any(page, {"viewforum.php?f=", "viewtopic.php?"});
}

PageShape phpbb_page_kind_by_addresses(std::string_view page) {
    if (holds_any(page, {"posting.php?mode=reply", "posting.php?mode=quote"})) return {PageKind::TopicPage};
    if (holds_any(page, {"posting.php?mode=newtopic"})) return {PageKind::ForumPage, first_topic_link(page)};
    return {};
}

std::string_view phpbb_index_link(std::string_view page) {
    for (std::size_t pos = find_start_tag(page, "a", 0); pos != npos; pos = find_start_tag(page, "a", pos + 1)) {
        const std::string_view href = attribute(tag_at(page, pos), "href");
        const std::string_view path = href.substr(0, href.find_first_of("?#"));
        if (path == "index.php" || path == "./index.php") return href;
    }
    return {};
}
