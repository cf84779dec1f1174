#include "analysis/search_service.h"

#include "analysis/number_text.h"
#include "analysis/plain_text.h"
#include "analysis/search_readers.h"
#include "analysis/search_request.h"
#include "analysis/web_url.h"

#include <array>

namespace {

std::string base_without_slash(std::string_view base) {
    while (!base.empty() && base.back() == '/') base.remove_suffix(1);
    return std::string(base);
}

// Results an answer page holds, as each service's page address asks for them.
constexpr int kGooglePageSize = 100;
constexpr int kSearxPageSize = 10;
constexpr int kBravePageSize = 20;
constexpr int kMarginaliaPageSize = 100;
constexpr int kDuckDuckGoPageSize = 10;

// searx and DuckDuckGo name a region only together with a language: the region's own then.
const SearchLanguage* language_with_region(const SearchLocale& locale) {
    if (locale.language || !locale.region) return locale.language;
    return find_search_language(locale.region->home_language);
}

std::string upper_case(std::string_view code) {
    std::string text(code);
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string google_page(std::string_view base, std::string_view phrase, std::string_view keyword, int page,
                        const SearchLocale& locale) {
    const std::string lr = locale.language ? std::string("lang_") + locale.language->code : "";
    std::string url = make_search_url(base, search_query_text(phrase, keyword), page * kGooglePageSize, lr);
    if (locale.language) url += std::string("&hl=") + locale.language->code;
    if (locale.region) url += std::string("&gl=") + locale.region->code;
    return url;
}

std::string searx_page(std::string_view base, std::string_view phrase, std::string_view keyword, int page,
                       const SearchLocale& locale) {
    std::string url = base_without_slash(base) + "/search?q=" + service_query(phrase, keyword) +
                      "&format=json&pageno=" + decimal_text(page + 1);
    if (const SearchLanguage* language = language_with_region(locale)) {
        url += std::string("&language=") + language->code;
        if (locale.region) url += "-" + upper_case(locale.region->code);
    }
    return url;
}

// Brave's offset counts pages, not results.
std::string brave_page(std::string_view base, std::string_view phrase, std::string_view keyword, int page,
                       const SearchLocale& locale) {
    std::string url = base_without_slash(base) + "/res/v1/web/search?q=" + service_query(phrase, keyword) +
                      "&count=" + decimal_text(kBravePageSize) + "&offset=" + decimal_text(page);
    if (locale.language)
        url += std::string("&search_lang=") + (locale.language->brave_code ? locale.language->brave_code : locale.language->code);
    if (locale.region) url += "&country=" + upper_case(locale.region->code);
    return url;
}

std::string marginalia_page(std::string_view base, std::string_view phrase, std::string_view keyword, int page,
                            const SearchLocale&) {
    return base_without_slash(base) + "/search?query=" + service_query(phrase, keyword) +
           "&count=" + decimal_text(kMarginaliaPageSize) + "&page=" + decimal_text(page + 1);
}

// Only the first page: the next one needs values from the previous answer's form.
std::string duckduckgo_page(std::string_view base, std::string_view phrase, std::string_view keyword, int,
                            const SearchLocale& locale) {
    std::string url = base_without_slash(base) + "/html/?q=" + service_query(phrase, keyword);
    if (const SearchLanguage* language = language_with_region(locale)) {
        const SearchRegion* region = locale.region ? locale.region : find_search_region(language->home_region);
        url += std::string("&kl=") + (region->duckduckgo_code ? region->duckduckgo_code : region->code) + "-" +
               language->code;
    }
    return url;
}

std::string google_nothing(const SettingWords& w) {
    return std::string("The search found no forum links. The Google request gets no result links today: Google "
                       "answers programs that run no JavaScript with a page without them. ") +
           w.choose_service + " (\"searx\" on your own machine needs no key; see the README).";
}
std::string searx_nothing(const SettingWords& w) {
    return std::string("The search found no forum links. Check that searx / SearXNG runs at ") + w.service_address +
           ", that its engines answer (try the same search in its web page), and that a SearXNG instance lists "
           "json under search.formats.";
}
std::string brave_nothing(const SettingWords& w) {
    return std::string("The search found no forum links. Check ") + w.api_key +
           " (Brave Search API needs a subscription token) and the log lines above; or " + w.choose_service_lower + ".";
}
std::string marginalia_nothing(const SettingWords&) {
    return "The search found no forum links. Marginalia Search indexes a small part of the web and the shared key "
           "\"public\" is often busy: try another keyword, your own API key, or another search service.";
}
std::string duckduckgo_nothing(const SettingWords& w) {
    return std::string("The search found no forum links. DuckDuckGo may have answered with a bot check or no "
                       "results (see the log lines above): try again later, or ") + w.choose_service_lower + ".";
}
std::string duckduckgo_bot_check(const SettingWords& w) {
    return std::string("DuckDuckGo answered with a bot check (a puzzle for a person) instead of results: no links "
                       "from this page. Try again later or ") + w.choose_service_lower + ".";
}

}  // namespace

const SettingWords kWindowSettingWords = {
    .choose_service = "Choose another search service under Options",
    .choose_service_lower = "choose another search service under Options",
    .service_address = "the address under Options (\"Search host\")",
    .api_key = "the API key under Options",
};

const SettingWords kRunnerSettingWords = {
    .choose_service = "Choose another search service with --search-service",
    .choose_service_lower = "choose another search service with --search-service",
    .service_address = "the address given with --search-host",
    .api_key = "the key in RAVELMOOT_SEARCH_KEY",
};

namespace {

// Each entry names its fields; those left out keep the defaults of SearchService.
constexpr auto kServices = std::to_array<SearchService>({
    {.name = "google",
     .caption = "Google",
     .page_label = "Google",
     .default_base = "www.google.com",
     .base_is_address = false,
     .page_size = kGooglePageSize,
     .page_url = google_page,
     .reader = read_google_result_page,
     .nothing_found = google_nothing},
    {.name = "searx",
     .caption = "searx / SearXNG",
     .page_label = "searx",
     .default_base = "http://127.0.0.1:8888",
     .base_is_address = true,
     .page_size = kSearxPageSize,
     .page_url = searx_page,
     .reader = read_searx_json,
     .refused_status = 403,
     .refused_hint = "searx / SearXNG refused the search (403): a SearXNG instance answers JSON only when its "
                     "settings.yml lists json under search.formats (search: formats: [html, json]); add it and restart it.",
     .nothing_found = searx_nothing},
    {.name = "brave",
     .caption = "Brave Search API",
     .page_label = "Brave",
     .default_base = "https://api.search.brave.com",
     .base_is_address = true,
     .page_size = kBravePageSize,
     .max_pages = 10,
     .page_url = brave_page,
     .reader = read_brave_json,
     .key_header = "X-Subscription-Token",
     .other_headers = "Accept: application/json\r\n",
     .nothing_found = brave_nothing},
    {.name = "marginalia",
     .caption = "Marginalia Search",
     .page_label = "Marginalia",
     .default_base = "https://api2.marginalia-search.com",
     .base_is_address = true,
     .page_size = kMarginaliaPageSize,
     .page_url = marginalia_page,
     .reader = read_marginalia_json,
     .takes_locale = false,
     .key_header = "API-Key",
     .key_when_empty = "public",
     .nothing_found = marginalia_nothing},
    {.name = "duckduckgo",
     .caption = "DuckDuckGo (unofficial)",
     .page_label = "DuckDuckGo",
     .default_base = "https://html.duckduckgo.com",
     .base_is_address = true,
     .page_size = kDuckDuckGoPageSize,
     .max_pages = 1,
     .page_url = duckduckgo_page,
     .reader = read_duckduckgo_html,
     .bot_check_status = 202,
     .bot_check_note = duckduckgo_bot_check,
     .nothing_found = duckduckgo_nothing},
});

}  // namespace

std::span<const SearchService> search_services() { return kServices; }

std::vector<std::string> search_service_captions() {
    std::vector<std::string> captions;
    for (const auto& service : kServices) captions.emplace_back(service.caption);
    return captions;
}

int search_service_index(std::string_view name) {
    for (std::size_t i = 0; i < kServices.size(); ++i)
        if (name == kServices[i].name) return static_cast<int>(i);
    return -1;
}

std::string search_service_names() {
    std::string names;
    for (const auto& service : kServices) names += (names.empty() ? "" : ", ") + std::string(service.name);
    return names;
}

const SearchService& search_service_at(int index) {
    if (index < 0 || index >= static_cast<int>(kServices.size())) return kServices.front();
    return kServices[static_cast<std::size_t>(index)];
}

std::string dig_level_refusal(const SearchService& service, int dig_level) {
    return dig_level_refusal(dig_level, service_page_count(service, dig_level));
}

int service_page_count(const SearchService& service, int dig_level) {
    const int pages = search_page_count(dig_level, service.page_size);
    return service.max_pages > 0 && pages > service.max_pages ? service.max_pages : pages;
}

std::string percent_encode_query(std::string_view text) {
    return percent_encode(text, [](unsigned char byte) {
        return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
               byte == '-' || byte == '.' || byte == '_' || byte == '~';
    });
}

std::string service_query(std::string_view phrase, std::string_view keyword) {
    std::string text(phrase);
    text += ' ';
    text += keyword;
    return percent_encode_query(text);
}

std::string search_locale_note(const SearchService& service, const SearchLocale& locale) {
    if (service.takes_locale || (!locale.language && !locale.region)) return {};
    return std::string(service.caption) + " takes no results language or region: its results are not narrowed to them.";
}

std::string search_key_problem(std::string_view key) {
    if (has_control_byte(key))
        return "The API key holds a line break or another control character and is refused (it would "
               "add lines to the request). Paste the key again without it.";
    return {};
}

std::string search_base_problem(const SearchService& service, std::string_view base) {
    if (!service.base_is_address) return {};
    const auto read = read_url_as_curl(base);
    if (!read || !read->is_web())
        return std::string("The search host \"") + std::string(base) + "\" is not an http:// or https:// address; " +
               service.caption + " is asked at an address such as \"" + service.default_base + "\".";
    if (has_control_byte(base) || base.find(' ') != std::string_view::npos)
        return std::string("The search host \"") + std::string(base) + "\" holds a blank or a control character.";
    return {};
}

std::string search_request_headers(const SearchService& service, std::string_view base, std::string_view key,
                                   std::string_view url) {
    if (!service.base_is_address) return {};
    const std::string origin = request_origin(base);
    if (origin.empty() || origin != request_origin(url)) return {};
    std::string headers;
    const std::string_view sent_key = key.empty() && service.key_when_empty ? service.key_when_empty : key;
    if (service.key_header && !sent_key.empty() && search_key_problem(sent_key).empty())
        headers = std::string(service.key_header) + ": " + std::string(sent_key) + "\r\n";
    headers += service.other_headers;
    return headers;
}
