#include "download/url_syntax.h"

#include "analysis/web_url.h"

std::optional<std::string> normalized_http_url(const std::string& url) {
    auto parsed = parsed_http_url(url);
    if (!parsed) return std::nullopt;
    return std::move(parsed->url);
}

std::optional<HttpUrl> parsed_http_url(const std::string& url) {
    auto read = read_url_as_curl(url);
    if (!read || !read->is_web()) return std::nullopt;
    std::string host(web_host(read->url));
    return HttpUrl{std::move(read->url), std::move(host)};
}
