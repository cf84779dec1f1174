#include "download/url_syntax.h"

#include "analysis/text_case.h"
#include "analysis/web_url.h"

#include <curl/curl.h>

#include <memory>

namespace {

struct UrlHandleFree {
    void operator()(CURLU* handle) const { curl_url_cleanup(handle); }
};
struct CurlFree {
    void operator()(char* text) const { curl_free(text); }
};
using Part = std::unique_ptr<char, CurlFree>;

Part part(CURLU* handle, CURLUPart which) {
    char* text = nullptr;
    if (curl_url_get(handle, which, &text, 0) != CURLUE_OK) return nullptr;
    return Part(text);
}

}  // namespace

std::optional<std::string> normalized_http_url(const std::string& url) {
    auto parsed = parsed_http_url(url);
    if (!parsed) return std::nullopt;
    return std::move(parsed->url);
}

std::optional<HttpUrl> parsed_http_url(const std::string& url) {
    if (url.empty() || url.find('\0') != std::string::npos) return std::nullopt;
    std::unique_ptr<CURLU, UrlHandleFree> handle(curl_url());
    if (!handle) return std::nullopt;
    // Other schemes must parse too, so that they are refused here by name.
    const unsigned flags = CURLU_NON_SUPPORT_SCHEME | CURLU_ALLOW_SPACE | CURLU_URLENCODE;
    if (curl_url_set(handle.get(), CURLUPART_URL, url.c_str(), flags) != CURLUE_OK) return std::nullopt;
    const Part scheme = part(handle.get(), CURLUPART_SCHEME);
    const Part host = part(handle.get(), CURLUPART_HOST);
    if (!scheme || !host || *host.get() == '\0') return std::nullopt;
    if (!equals_ignoring_case(scheme.get(), "http") && !equals_ignoring_case(scheme.get(), "https")) return std::nullopt;
    const Part whole = part(handle.get(), CURLUPART_URL);
    if (!whole) return std::nullopt;
    std::string normalized = whole.get();
    std::string normalized_host(web_host(normalized));
    return HttpUrl{std::move(normalized), std::move(normalized_host)};
}
