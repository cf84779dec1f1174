#pragma once

#include <optional>
#include <string>

// The URL as libcurl is to fetch it (blanks and bytes above 127 percent-encoded), when it is an
// absolute http or https URL with a host; nullopt for anything else, other schemes included.
std::optional<std::string> normalized_http_url(const std::string& url);

// normalized_http_url and, from the same parse, the host part.
struct HttpUrl {
    std::string url;
    std::string host;
};
std::optional<HttpUrl> parsed_http_url(const std::string& url);

// The host part of a URL that normalized_http_url accepted; empty when there is none.
std::string host_of(const std::string& url);
