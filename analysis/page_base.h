#pragma once

#include <string>
#include <string_view>

// The address a page's relative links are resolved against: its <base href> (in its head),
// resolved against the address that served the page, else that address itself. Pure.
std::string page_link_base(std::string_view served_url, std::string_view page);
