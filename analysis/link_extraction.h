#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What starts the anchor a link is read from; a line without it yields no link.
inline constexpr std::string_view kAnchorStart = "<a href=\"";

// A link found on a search-result page line, after filtering and normalisation.
struct FoundLink {
    std::string url;
    std::string description;
};

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

// Whether url is a duplicate of any stored link; caption_of gives a stored element's URL.
template <class Stored, class CaptionOf>
bool duplicates_any(std::string_view url, const Stored& stored, CaptionOf caption_of) {
    for (const auto& element : stored)
        if (is_duplicate_link(url, caption_of(element))) return true;
    return false;
}

// Appends to collected each found link that duplicates none collected before it, in order.
void collect_new_links(std::vector<FoundLink>& collected, std::vector<FoundLink> found);
