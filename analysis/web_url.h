#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The reading of a URL's parts, for every layer: where a request goes, as libcurl reads the URL;
// which URLs are web URLs, their host for display, and which may be handed to a browser; and
// percent-encoding both ways.

// A URL as libcurl reads it for a request, with the download layer's flags: blanks and bytes
// above 127 percent-encoded, any scheme parsed (so that others can be refused by name).
struct CurlUrl {
    std::string url;     // the whole URL as libcurl sends it
    std::string scheme;  // lower case
    std::string host;    // lower case, as libcurl connects to it ("[::1]" keeps its brackets)
    std::string port;    // the scheme's default port when the URL names none
    bool user_info;      // a user name, password or login options stand before the host

    bool is_web() const { return scheme == "http" || scheme == "https"; }
};
// nullopt when libcurl refuses the URL or finds no host in it.
std::optional<CurlUrl> read_url_as_curl(std::string_view url);

// reference (a link's href) resolved against base as libcurl reads both, without its fragment;
// nullopt when libcurl refuses either or the result has no host.
std::optional<CurlUrl> resolve_url(std::string_view base, std::string_view reference);

// "scheme://host:port" of an http or https URL, read as libcurl reads it, so that two equal
// origins are one server to libcurl. Empty for a URL libcurl refuses, for another scheme, and
// for a URL with user information: such a URL is never anyone's own address.
std::string request_origin(std::string_view url);

// Plain text work from here: nothing is normalised.

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
