#pragma once

#include "analysis/search_answer.h"

// The answer readers of the services beside Google. Each is pure and never throws: an answer that
// is not what its service sends gives no links and a note saying what came back.

// searx / SearXNG with format=json: results[].url and results[].title.
SearchAnswer read_searx_json(const PageLines& page);
// Brave Search API: web.results[].url and web.results[].title.
SearchAnswer read_brave_json(const PageLines& page);
// Marginalia Search API: results[].url and results[].title.
SearchAnswer read_marginalia_json(const PageLines& page);
// DuckDuckGo's HTML endpoint: every anchor whose class holds "result__a"; its redirect links are
// unwrapped and its ad links skipped. A bot check instead of results gives a note and no links.
SearchAnswer read_duckduckgo_html(const PageLines& page);
