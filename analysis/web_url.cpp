#include "analysis/web_url.h"

#include "analysis/number_text.h"
#include "analysis/plain_text.h"
#include "analysis/text_case.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>

namespace {

struct UrlHandleFree {
    void operator()(CURLU* handle) const { curl_url_cleanup(handle); }
};
struct CurlFree {
    void operator()(char* text) const { curl_free(text); }
};
using UrlPart = std::unique_ptr<char, CurlFree>;

UrlPart url_part(CURLU* handle, CURLUPart which, unsigned flags = 0) {
    char* text = nullptr;
    if (curl_url_get(handle, which, &text, flags) != CURLUE_OK) return nullptr;
    return UrlPart(text);
}

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equals_ignoring_case(text.substr(0, prefix.size()), prefix);
}

}  // namespace

std::optional<CurlUrl> read_url_as_curl(std::string_view url) {
    if (url.empty() || url.find('\0') != std::string_view::npos) return std::nullopt;
    std::unique_ptr<CURLU, UrlHandleFree> handle(curl_url());
    if (!handle) return std::nullopt;
    const unsigned flags = CURLU_NON_SUPPORT_SCHEME | CURLU_ALLOW_SPACE | CURLU_URLENCODE;
    if (curl_url_set(handle.get(), CURLUPART_URL, std::string(url).c_str(), flags) != CURLUE_OK) return std::nullopt;
    const UrlPart whole = url_part(handle.get(), CURLUPART_URL);
    const UrlPart scheme = url_part(handle.get(), CURLUPART_SCHEME);
    const UrlPart host = url_part(handle.get(), CURLUPART_HOST);
    const UrlPart port = url_part(handle.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT);
    if (!whole || !scheme || !host || *host.get() == '\0') return std::nullopt;
    const bool user_info = url_part(handle.get(), CURLUPART_USER) || url_part(handle.get(), CURLUPART_PASSWORD) ||
                           url_part(handle.get(), CURLUPART_OPTIONS);
    return CurlUrl{whole.get(), ascii_lower(scheme.get()), ascii_lower(host.get()), port ? port.get() : "", user_info};
}

std::optional<CurlUrl> resolve_url(std::string_view base, std::string_view reference) {
    if (reference.find('\0') != std::string_view::npos) return std::nullopt;
    const auto read_base = read_url_as_curl(base);
    if (!read_base) return std::nullopt;
    // libcurl takes a reference of a query or fragment alone for a path; it means the base itself.
    if (reference.starts_with('#') || reference.starts_with('?')) {
        const std::string& own = read_base->url;
        const std::string_view ends_own = reference.starts_with('#') ? "#" : "?#";
        return read_url_as_curl(own.substr(0, own.find_first_of(ends_own)) +
                                std::string(reference.substr(0, reference.find('#'))));
    }
    std::unique_ptr<CURLU, UrlHandleFree> handle(curl_url());
    if (!handle) return std::nullopt;
    const unsigned flags = CURLU_NON_SUPPORT_SCHEME | CURLU_ALLOW_SPACE | CURLU_URLENCODE;
    if (curl_url_set(handle.get(), CURLUPART_URL, read_base->url.c_str(), flags) != CURLUE_OK ||
        curl_url_set(handle.get(), CURLUPART_URL, std::string(reference).c_str(), flags) != CURLUE_OK ||
        curl_url_set(handle.get(), CURLUPART_FRAGMENT, nullptr, 0) != CURLUE_OK)
        return std::nullopt;
    const UrlPart whole = url_part(handle.get(), CURLUPART_URL);
    return whole ? read_url_as_curl(whole.get()) : std::nullopt;
}

std::string request_origin(std::string_view url) {
    const auto read = read_url_as_curl(url);
    if (!read || read->user_info || read->port.empty()) return {};
    if (!read->is_web()) return {};
    return read->scheme + "://" + read->host + ":" + read->port;
}

std::size_t web_scheme_length(std::string_view url) {
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")})
        if (starts_with_ignoring_case(url, scheme)) return scheme.size();
    return 0;
}

std::string_view web_host_and_port(std::string_view url) {
    const std::size_t scheme = web_scheme_length(url);
    if (scheme == 0) return {};
    const std::string_view rest = url.substr(scheme);
    std::string_view authority = rest.substr(0, rest.find_first_of("/?#"));
    const auto at = authority.rfind('@');
    if (at != std::string_view::npos) authority.remove_prefix(at + 1);
    return authority;
}

std::string_view web_host(std::string_view url) {
    const std::string_view host = web_host_and_port(url);
    // A literal IPv6 address keeps its brackets and the colons inside them.
    if (host.substr(0, 1) == "[") return host.substr(0, host.find(']') + 1);
    return host.substr(0, host.find(':'));
}

bool is_web_address(std::string_view url) {
    return !has_control_byte(url) && !web_host(url).empty();
}

bool is_mail_address(std::string_view url) {
    constexpr std::string_view scheme = "mailto:";
    return !has_control_byte(url) && starts_with_ignoring_case(url, scheme) && url.size() > scheme.size();
}

std::string percent_encode(std::string_view text, bool (*keep)(unsigned char byte)) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (keep(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHexDigits[byte >> 4];
            encoded += kHexDigits[byte & 0x0F];
        }
    }
    return encoded;
}

std::string percent_decode(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex_digit_value(text[i + 1]) >= 0 && hex_digit_value(text[i + 2]) >= 0) {
            decoded += static_cast<char>(hex_digit_value(text[i + 1]) * 16 + hex_digit_value(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}
