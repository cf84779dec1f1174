#pragma once

#include <optional>
#include <string>
#include <string_view>

// What starts the anchor a link is read from; a line without it yields no link.
inline constexpr std::string_view kAnchorStart = "<a href=\"";

// A link found on a search-result page line, after filtering and normalisation.
struct FoundLink {
    std::string url;
    std::string description;
};

// The link of one page line as views into the line, copied into a FoundLink only when it is kept:
// most links of a long result page are dropped as duplicates. anchor runs from "<a href=" and a
// double quote through "</a>"; the href ends at href_end; the URL keeps url_kept bytes of the
// href, followed by "index.php" when that is fewer (a topic link cut at "viewtopic").
struct AnchorLink {
    std::string_view anchor;
    std::size_t href_end = 0;
    std::size_t url_kept = 0;

    std::string_view href() const { return anchor.substr(kAnchorStart.size(), href_end - kAnchorStart.size()); }
    bool topic() const { return url_kept < href_end - kAnchorStart.size(); }
};

// The link of one page line, by the rule of extract_link below; nullopt when the line yields none.
std::optional<AnchorLink> find_anchor_link(std::string_view line);
// The link's URL into url, whose storage is reused.
void write_url(const AnchorLink& link, std::string& url);
// The link's description, as extract_link gives it.
std::string description_of(const AnchorLink& link);

// The link of one page line: the first anchor ("<a href=" and a double quote ... "</a>"), its
// href, the description behind the anchor's last inner tag with bold tags removed, the web-link
// filter and the topic rewrite (".../viewtopic..." -> ".../index.php"). nullopt when the line
// yields no link.
std::optional<FoundLink> extract_link(std::string_view line);

// A topic link stands for its forum: the address up to "viewtopic" followed by "index.php";
// any other address unchanged.
std::string forum_index_url(std::string_view url);

// A result that a search service handed over as address and title, through the same steps as an
// anchor: the web-link filter, then the topic rewrite. An address holding a blank or a control
// character is no link (list files keep one row per line, fields split at TAB); such characters
// in the title become blanks. nullopt when the result yields no link.
std::optional<FoundLink> link_from_result(std::string_view url, std::string_view title);

// A URL is a duplicate of a stored caption when they are equal or either is found inside the other
// (case-sensitive). An empty text is found nowhere, so an empty one only equals another empty one.
bool is_duplicate_link(std::string_view url, std::string_view stored_caption);
