#pragma once

#include <string>
#include <string_view>

// Blank -> "+", then double quote -> "%22"; no other character changes.
std::string query_encode(std::string_view text);
// "http://" + host + "/search?as_q=" + query_encode(query) + "&lr=&num=100", and for an
// offset above 0 also "&start=" + offset + "&sa=N".
std::string make_search_url(std::string_view host, std::string_view query, int start_offset);
// Percent-encodes '%', '&', '+', '#' and every byte outside printable ASCII as %XX (upper-case
// hex), so that the search service receives the keyword as typed. Blanks and double quotes stay
// for query_encode.
std::string percent_encode_keyword(std::string_view keyword);
// The query text of the search request: query_encode of the phrase "forum index" in double
// quotes, a blank, and query_encode of the percent-encoded keyword.
std::string search_query_text(std::string_view keyword);
// The number of search pages for a dig level: (dig - 100) / 100 truncated toward zero, plus one;
// none for a negative quotient.
int search_page_count(int dig_level);

// The most search pages one research may ask for; a larger queue only exhausts memory.
inline constexpr int kMaxSearchPages = 10000;
// Empty when the dig level asks for at most kMaxSearchPages search pages, else the message that
// refuses it.
std::string dig_level_refusal(int dig_level);
