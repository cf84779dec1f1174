#include "analysis/search_answer.h"

SearchAnswer read_google_result_page(const PageLines& page) {
    SearchAnswer answer;
    for (std::size_t i = 0; i < page.size(); ++i) {
        auto link = extract_link(page.read_line(i));
        if (link) answer.links.push_back(std::move(*link));
    }
    return answer;
}
