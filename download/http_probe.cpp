#include "download/http_probe.h"

#include <curl/curl.h>

#include <memory>

namespace {

// The body is not wanted, only that it came.
size_t discard(char*, size_t size, size_t count, void*) { return size * count; }

}  // namespace

bool http_answers(const std::string& url, long timeout_ms) {
    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) return false;
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl.get(), CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl.get(), CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT_MS, timeout_ms);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, discard);
    return curl_easy_perform(curl.get()) == CURLE_OK;
}
