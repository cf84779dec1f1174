#pragma once

#include <optional>
#include <string>

// The URL as libcurl is to fetch it (blanks and bytes above 127 percent-encoded), when it is an
// absolute http or https URL with a host; nullopt for anything else, other schemes included.
std::optional<std::string> normalized_http_url(const std::string& url);

// normalized_http_url together with the host part (by the URL toolkit), for one parse per URL.
struct HttpUrl {
    std::string url;
    std::string host;
};
std::optional<HttpUrl> parsed_http_url(const std::string& url);
