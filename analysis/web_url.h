#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The one reading of a URL's parts, for every layer: which URLs are web URLs, their host, and
// which may be handed to a browser, and percent-encoding both ways. Plain text work; nothing is
// normalised.

// The length of a leading "http://" or "https://" in any letter case; 0 when neither begins url.
std::size_t web_scheme_length(std::string_view url);

// The host and port of an http or https URL: what follows the scheme up to the first '/', '?'
// or '#', user information up to the last '@' dropped ("host:8080"). Empty for any other URL.
std::string_view web_host_and_port(std::string_view url);

// The host alone: web_host_and_port without its port ("[::1]" of "http://[::1]:8080/").
std::string_view web_host(std::string_view url);

// Whether url is an http or https address with a host and no control characters: one that may
// be handed to a browser. A list file can hold any text; local paths, "file:" or "javascript:"
// texts are no web addresses.
bool is_web_address(std::string_view url);

// Whether url is a "mailto:" link (scheme in any letter case) with an address and no control
// characters.
bool is_mail_address(std::string_view url);

// text with every byte that keep refuses written as %XX (upper-case hex); the bytes are taken
// as they are, UTF-8 or not.
std::string percent_encode(std::string_view text, bool (*keep)(unsigned char byte));

// text with every %XX (hex digits in either case) written as the byte it names; a '%' not
// followed by two hex digits stays as it is.
std::string percent_decode(std::string_view text);
