#pragma once

// The analyses run over a whole page the way the window's handlers run them: the page split at
// its own line breaks, each line read as at most its first 4096 bytes, links collected with the
// duplicate test against every link gathered so far.

#include "analysis/link_extraction.h"
#include "analysis/page_text.h"
#include "analysis/popularity.h"

#include <string_view>
#include <vector>

namespace page_runs {

inline constexpr std::size_t kLineReadLimit = 4096;

inline PostCounter count_posts(std::string_view page) {
    PostCounter counter;
    for (const auto& line : split_page_lines(page)) counter.add_line(std::string_view(line).substr(0, kLineReadLimit));
    return counter;
}

inline void collect_links(std::string_view page, std::vector<FoundLink>& links) {
    for (const auto& line : split_page_lines(page)) {
        auto link = extract_link(std::string_view(line).substr(0, kLineReadLimit));
        if (!link) continue;
        bool duplicate = false;
        for (const auto& stored : links) duplicate = duplicate || is_duplicate_link(link->url, stored.url);
        if (!duplicate) links.push_back(std::move(*link));
    }
}

inline std::vector<FoundLink> collect_links(std::string_view page) {
    std::vector<FoundLink> links;
    collect_links(page, links);
    return links;
}

}  // namespace page_runs
