#include "analysis/search_answer.h"

#include "analysis/plain_text.h"

void keep_new_links(SearchAnswer&& answer, CollectedLinkIndex& collected, const std::function<void(FoundLink)>& keep) {
    for (auto& link : answer.links) {
        if (collected.duplicates(link.url)) continue;
        collected.add(link.url);
        keep(std::move(link));
    }
    std::string url;
    for (const auto& link : answer.page_links) {
        write_url(link, url);
        if (collected.duplicates(url)) continue;
        collected.add(url);
        // A page line holds no line break, but may hold a TAB, which a list file would split at.
        keep(FoundLink{url, blank_control_bytes(description_of(link))});
    }
}

void collect_new_links(std::vector<FoundLink>& collected, SearchAnswer&& answer) {
    CollectedLinkIndex index;
    for (const auto& link : collected) index.add(link.url);
    keep_new_links(std::move(answer), index, [&](FoundLink link) { collected.push_back(std::move(link)); });
}
