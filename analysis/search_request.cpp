#include "analysis/search_request.h"

#include "analysis/number_text.h"
#include "analysis/text_scan.h"
#include "analysis/web_url.h"

#include <cstdint>

std::string query_encode(std::string_view text) {
    std::string encoded(text);
    replace_all(encoded, " ", "+");
    replace_all(encoded, "\"", "%22");
    return encoded;
}

std::string make_search_url(std::string_view host, std::string_view query, int start_offset, std::string_view lr) {
    std::string url = "http://";
    url += host;
    url += "/search?as_q=";
    url += query_encode(query);
    url += "&lr=";
    url += lr;
    url += "&num=100";
    if (start_offset > 0) {
        url += "&start=";
        url += decimal_text(start_offset);
        url += "&sa=N";
    }
    return url;
}

std::string percent_encode_keyword(std::string_view keyword) {
    // Blank and double quote are left for query_encode, which turns them into "+" and "%22".
    return percent_encode(keyword, [](unsigned char byte) {
        return byte >= 0x20 && byte <= 0x7E && byte != '%' && byte != '&' && byte != '+' && byte != '#';
    });
}

std::string search_query_text(std::string_view phrase, std::string_view keyword) {
    return query_encode(percent_encode_keyword(phrase)) + " " + query_encode(percent_encode_keyword(keyword));
}

std::string search_query_text(std::string_view keyword) { return search_query_text(kForumIndexPhrase, keyword); }

int search_page_count(int dig_level, int page_size) {
    if (page_size < 1) return 0;
    // In 64 bits so that the lowest dig level cannot overflow the subtraction.
    const std::int64_t n = (std::int64_t{dig_level} - page_size) / page_size;
    return n < 0 ? 0 : static_cast<int>(n + 1);
}

std::string dig_level_refusal(int dig_level, int pages) {
    if (pages <= kMaxSearchPages) return {};
    return "Google dig level " + decimal_text(dig_level) + " asks for " + decimal_text(pages) +
           " search pages; at most " + decimal_text(kMaxSearchPages) + " are allowed";
}
