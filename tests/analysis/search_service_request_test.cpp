#include "analysis/search_service.h"

#include <gtest/gtest.h>

namespace {

const SearchService& service(const char* name) { return search_service_at(search_service_index(name)); }

constexpr const char* kPhrase = "\"forum index\"";

TEST(SearchService, PageAddresses) {
    const struct {
        const char* service;
        const char* base;
        const char* keyword;
        int page;
        const char* url;
    } cases[] = {
        // The Google request exactly as it always was.
        {"google", "www.google.com", "software marketing", 0,
         "http://www.google.com/search?as_q=%22forum+index%22+software+marketing&lr=&num=100"},
        {"google", "127.0.0.1:8080", "software marketing", 1,
         "http://127.0.0.1:8080/search?as_q=%22forum+index%22+software+marketing&lr=&num=100&start=100&sa=N"},
        {"searx", "http://127.0.0.1:8888/", "c++ & café", 0,
         "http://127.0.0.1:8888/search?q=%22forum%20index%22%20c%2B%2B%20%26%20caf%C3%A9&format=json&pageno=1"},
        {"searx", "https://sx.example:8443/base", "a~b", 2,
         "https://sx.example:8443/base/search?q=%22forum%20index%22%20a~b&format=json&pageno=3"},
        {"brave", "https://api.search.brave.com", "go", 3,
         "https://api.search.brave.com/res/v1/web/search?q=%22forum%20index%22%20go&count=20&offset=3"},
        {"marginalia", "https://api2.marginalia-search.com", "go#1", 0,
         "https://api2.marginalia-search.com/search?query=%22forum%20index%22%20go%231&count=100&page=1"},
        {"duckduckgo", "https://html.duckduckgo.com", "go", 0, "https://html.duckduckgo.com/html/?q=%22forum%20index%22%20go"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(service(c.service).page_url(c.base, kPhrase, c.keyword, c.page, {}), c.url) << c.service;
    // Another phrase replaces the fixed one for Google too.
    EXPECT_EQ(service("google").page_url("h", "board", "x&y", 0, {}), "http://h/search?as_q=board+x%26y&lr=&num=100");
}

// Each service narrows to the language and region in its own parameters; one without them says so.
TEST(SearchService, LanguageAndRegionInEachServicesOwnParameters) {
    const struct {
        const char* service;
        const char* language;  // "" for Any
        const char* region;
        const char* tail;      // what follows the request without them
    } cases[] = {
        {"google", "de", "ch", "&lr=lang_de&num=100&hl=de&gl=ch"},
        {"google", "fr", "", "&lr=lang_fr&num=100&hl=fr"},
        {"google", "", "gb", "&lr=&num=100&gl=gb"},
        {"searx", "de", "ch", "&language=de-CH"},
        {"searx", "pt", "", "&language=pt"},
        {"searx", "", "gb", "&language=en-GB"},
        {"brave", "ja", "jp", "&search_lang=jp&country=JP"},
        {"brave", "de", "", "&search_lang=de"},
        {"brave", "", "gb", "&country=GB"},
        {"duckduckgo", "fr", "be", "&kl=be-fr"},
        {"duckduckgo", "en", "", "&kl=us-en"},
        {"duckduckgo", "", "gb", "&kl=uk-en"},
        {"marginalia", "de", "de", ""},
    };
    for (const auto& c : cases) {
        const SearchService& s = service(c.service);
        const SearchLocale locale{find_search_language(c.language), find_search_region(c.region)};
        ASSERT_EQ(locale.language == nullptr, *c.language == 0) << c.language;
        ASSERT_EQ(locale.region == nullptr, *c.region == 0) << c.region;
        std::string plain = s.page_url(s.default_base, kPhrase, "go", 0, {});
        if (std::string_view(c.service) == "google") plain.erase(plain.find("&lr=&num=100"));
        EXPECT_EQ(s.page_url(s.default_base, kPhrase, "go", 0, locale), plain + c.tail) << c.service << " " << c.language << c.region;
        EXPECT_EQ(search_locale_note(s, locale).empty(), s.takes_locale) << c.service;
        EXPECT_EQ(search_locale_note(s, {}), "") << c.service;
    }
}

TEST(SearchService, PageCounts) {
    const struct {
        const char* service;
        int dig;
        int pages;
    } cases[] = {
        {"google", 100, 1}, {"google", 250, 2}, {"google", 0, 0},
        {"searx", 100, 10}, {"searx", 5, 1},    {"searx", 0, 0},
        {"brave", 100, 5},  {"brave", 1000, 10}, {"marginalia", 250, 2},
        {"duckduckgo", 1000, 1}, {"duckduckgo", 0, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(service_page_count(service(c.service), c.dig), c.pages) << c.service << " " << c.dig;
}

TEST(SearchService, RefusesKeysAndBaseAddressesThatCannotBeUsed) {
    EXPECT_TRUE(search_key_problem("").empty());
    EXPECT_TRUE(search_key_problem("BSA-abc_123").empty());
    for (const char* key : {"abc\r\nX-Injected: 1", "abc\n", "a\rb", "a\tb"}) EXPECT_FALSE(search_key_problem(key).empty()) << key;

    const struct {
        const char* service;
        const char* base;
        bool usable;
    } cases[] = {
        {"google", "www.google.com", true},          {"searx", "http://127.0.0.1:8888", true},
        {"searx", "HTTPS://sx.example/", true},        {"searx", "127.0.0.1:8888", false},
        {"searx", "ftp://127.0.0.1:8888", false},      {"brave", "file:///etc/passwd", false},
        {"marginalia", "https://", false},             {"duckduckgo", "https://html.duckduckgo.com /x", false},
    };
    for (const auto& c : cases) EXPECT_EQ(search_base_problem(service(c.service), c.base).empty(), c.usable) << c.base;
}

// The key goes to the service's own scheme, host and port only: never to a forum, a redirect
// elsewhere, or the same host over plain http.
TEST(SearchService, KeyHeadersOnlyToTheServicesOwnAddress) {
    const std::string brave_key = "X-Subscription-Token: k1\r\nAccept: application/json\r\n";
    const struct {
        const char* service;
        const char* base;
        const char* key;
        const char* url;
        std::string headers;
    } cases[] = {
        {"brave", "https://api.search.brave.com", "k1", "https://api.search.brave.com/res/v1/web/search?q=x", brave_key},
        {"brave", "https://api.search.brave.com/", "k1", "https://API.Search.Brave.com:443/other", brave_key},
        {"brave", "https://api.search.brave.com", "k1", "http://api.search.brave.com/res/v1/web/search", ""},
        {"brave", "https://api.search.brave.com", "k1", "https://api.search.brave.com:8443/", ""},
        {"brave", "https://api.search.brave.com", "k1", "https://forum.example/index.php", ""},
        {"brave", "https://api.search.brave.com", "k1", "https://api.search.brave.com@evil.example/", ""},
        {"brave", "https://api.search.brave.com", "k1", "https://evil.example/?https://api.search.brave.com/", ""},
        // Read as libcurl reads them: user information, even one that hides the real host, and a
        // trailing dot make another address.
        {"brave", "https://api.search.brave.com", "k1", "https://api.search.brave.com:\\@elsewhere.example/", ""},
        {"brave", "https://api.search.brave.com", "k1", "https://user@api.search.brave.com/", ""},
        {"brave", "https://api.search.brave.com", "k1", "https://api.search.brave.com./", ""},
        {"brave", "https://api.search.brave.com", "k1", "https://api.search.brave.com\\res", ""},
        {"brave", "https://api.search.brave.com", "k1\r\nX: y", "https://api.search.brave.com/", "Accept: application/json\r\n"},
        {"marginalia", "https://api2.marginalia-search.com", "", "https://api2.marginalia-search.com/search", "API-Key: public\r\n"},
        {"marginalia", "https://api2.marginalia-search.com", "mine", "https://api2.marginalia-search.com/search", "API-Key: mine\r\n"},
        {"searx", "http://127.0.0.1:8888", "k1", "http://127.0.0.1:8888/search", ""},
        {"google", "www.google.com", "k1", "http://www.google.com/search", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(search_request_headers(service(c.service), c.base, c.key, c.url), c.headers) << c.url;
}

}  // namespace
