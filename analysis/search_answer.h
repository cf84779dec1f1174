#pragma once

#include "analysis/link_extraction.h"
#include "analysis/page_lines.h"

#include <string>
#include <vector>

// What one answer page of a search service gave: its result links in the page's order, each
// already through the web-link filter and the topic rewrite but not yet through the duplicate
// test against the links the stage collected (that needs the stage's list), and a note for the
// log when the answer was not what the service sends (empty when it was).
struct SearchAnswer {
    std::vector<FoundLink> links;
    std::string note;
};

// Reads one answer page of one search service. Pure: the page text in, the links out.
using SearchAnswerReader = SearchAnswer (*)(const PageLines& page);

// The Google result page: the first anchor of every line, as extract_link reads it.
SearchAnswer read_google_result_page(const PageLines& page);
