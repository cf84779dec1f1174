#pragma once

#include <optional>
#include <string>
#include <string_view>

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

// A URL is a duplicate of a stored caption when they are equal or either is found inside the other
// (case-sensitive). An empty text is found nowhere, so an empty one only equals another empty one.
bool is_duplicate_link(std::string_view url, std::string_view stored_caption);
