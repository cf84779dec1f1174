#include "analysis/search_answer.h"

SearchAnswer read_google_result_page(const PageLines& page) {
    SearchAnswer answer;
    // Only a line holding an anchor start can yield a link, so only those are read.
    for (std::size_t i = page.next_line_holding(kAnchorStart, 0); i < page.size();
         i = page.next_line_holding(kAnchorStart, i + 1)) {
        if (const auto link = find_anchor_link(page.read_line(i))) answer.page_links.push_back(*link);
    }
    return answer;
}
