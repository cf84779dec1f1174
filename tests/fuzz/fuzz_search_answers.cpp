// Every search service's answer reader on arbitrary bytes with the duplicate test of the links it
// gives, and the link of a single line.

#include "analysis/link_extraction.h"
#include "analysis/search_answer.h"
#include "analysis/search_service.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const PageLines page(bytes);
    // Each answer through the duplicate test too, as the search stage keeps links from it.
    std::vector<FoundLink> kept;
    for (const SearchService& service : search_services()) collect_new_links(kept, service.reader(page));
    (void)extract_link(bytes);
    // The first line as an address, the rest as a title, as the JSON services hand them over.
    const std::size_t cut = bytes.find('\n');
    (void)link_from_result(std::string_view(bytes).substr(0, cut),
                           cut == std::string::npos ? std::string_view() : std::string_view(bytes).substr(cut + 1));
    return 0;
}
