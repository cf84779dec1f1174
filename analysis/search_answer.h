#pragma once

#include "analysis/link_extraction.h"
#include "analysis/link_index.h"
#include "analysis/page_lines.h"

#include <functional>
#include <string>
#include <vector>

// What one answer page of a search service gave: its result links in the page's order, each
// already through the web-link filter and the topic rewrite but not yet through the duplicate
// test against the links the stage collected (that needs the stage's list), and a note for the
// log when the answer was not what the service sends (empty when it was); bot_check when the
// service asked whether a person is searching instead of answering (the log's words for that are
// the service's own, worded for the program that prints them).
// A reader fills one of the two lists: links with text of their own (decoded answers), or
// page_links as views into the page read, which must outlive them.
struct SearchAnswer {
    std::vector<FoundLink> links;
    std::vector<AnchorLink> page_links;
    std::string note;
    bool bot_check = false;
    // The service answered well-formed with no result at all: no later page holds any, and
    // asking this one again gives the same.
    bool no_results = false;
};

// How many links the answer holds, in either list.
inline std::size_t link_count(const SearchAnswer& answer) { return answer.links.size() + answer.page_links.size(); }

// Hands keep each link of the answer, in order, that duplicates none in collected, adding its URL
// to collected first. A link read as views into the page is copied only here.
void keep_new_links(SearchAnswer&& answer, CollectedLinkIndex& collected, const std::function<void(FoundLink)>& keep);

// keep_new_links into a plain list: appends each new link to collected.
void collect_new_links(std::vector<FoundLink>& collected, SearchAnswer&& answer);

// Reads one answer page of one search service. Pure: the page text in, the links out.
using SearchAnswerReader = SearchAnswer (*)(const PageLines& page);

// The Google result page: the first anchor of every line, as extract_link reads it.
SearchAnswer read_google_result_page(const PageLines& page);
