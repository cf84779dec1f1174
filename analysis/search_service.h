#pragma once

#include "analysis/search_answer.h"
#include "analysis/search_locale.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// One search service a research can ask for result links: how its answer pages are requested,
// how many results a page holds, how an answer is read and which headers go with its requests.
// A further service is one more entry in search_services(). Pure data and functions, no Qt.
// How the program that prints a hint names what the person can change: the window's Options,
// the runner's options and environment.
struct SettingWords {
    const char* choose_service;        // "Choose another search service under Options"
    const char* choose_service_lower;  // the same within a sentence
    const char* service_address;       // where the service's address is given
    const char* api_key;               // where the API key is given
};
extern const SettingWords kWindowSettingWords;
extern const SettingWords kRunnerSettingWords;

struct SearchService {
    const char* name;          // on the command line: "google", "searx", ...
    const char* caption;       // the entry of the "Search service" drop-down
    const char* page_label;    // queue rows are described as page_label + " page " + n (n from 0)
    const char* default_base;  // what choosing the service puts into "Search host"
    // Google's "Search host" is a bare host[:port]; every other base is an http or https address.
    bool base_is_address;
    int page_size;      // results per answer page
    int max_pages = 0;  // at most this many pages whatever the dig level; 0: no limit
    // The address of answer page `page` (from 0) for the phrase and the keyword as typed, narrowed
    // to the locale in the service's own parameters (none at all for "Any").
    std::string (*page_url)(std::string_view base, std::string_view phrase, std::string_view keyword, int page,
                            const SearchLocale& locale);
    SearchAnswerReader reader;
    bool takes_locale = true;  // false: no parameter narrows its results to a language or region
    const char* key_header = nullptr;      // the header that carries the API key; nullptr: the service takes none
    const char* key_when_empty = nullptr;  // sent when the key field is empty; nullptr: then no key header
    const char* other_headers = "";        // further header lines (each ending CR LF) for the service's host only
    // A status that refuses the request, and what the log says about it (0, nullptr: nothing extra).
    int refused_status = 0;
    const char* refused_hint = nullptr;
    // A success status that is not an answer but a check whether a person is asking (0: none),
    // and what the log says about it.
    int bot_check_status = 0;
    std::string (*bot_check_note)(const SettingWords& words) = nullptr;
    // The log line at the end of a search stage that collected no link: why, and what to do.
    std::string (*nothing_found)(const SettingWords& words);
};

// All services, the drop-down's entries in order; the first (Google) is the initial choice.
std::span<const SearchService> search_services();
// The drop-down's entries: each service's caption, in order.
std::vector<std::string> search_service_captions();
// The drop-down position of the service of that command-line name, or -1.
int search_service_index(std::string_view name);
// The command-line names joined by ", ", for help and messages.
std::string search_service_names();
// The service of that drop-down position; Google for a position outside the list.
const SearchService& search_service_at(int index);

// How many answer pages the dig level asks for at the service's page size, within its limit.
// dig_level_refusal for the pages this service would be asked for.
std::string dig_level_refusal(const SearchService& service, int dig_level);
int service_page_count(const SearchService& service, int dig_level);
// RFC 3986: every byte but the unreserved A-Z a-z 0-9 - . _ ~ as %XX (upper-case hex); the text
// is taken as UTF-8 bytes, so a blank becomes %20 and "+" becomes %2B.
std::string percent_encode_query(std::string_view text);
// The query the services other than Google receive: phrase, a blank, keyword, percent-encoded whole.
std::string service_query(std::string_view phrase, std::string_view keyword);

// Empty unless the service cannot narrow its results to the locale chosen: then the log line that says so.
std::string search_locale_note(const SearchService& service, const SearchLocale& locale);

// Empty when the key may go into a request header; otherwise the message that refuses it.
std::string search_key_problem(std::string_view key);
// Empty when the service can be asked at this base; otherwise the message that refuses it.
std::string search_base_problem(const SearchService& service, std::string_view base);
// The header lines (each ending CR LF) that go with a request to url: the service's key and
// other headers when url lies on the base address's own scheme, host and port, nothing otherwise.
std::string search_request_headers(const SearchService& service, std::string_view base, std::string_view key,
                                   std::string_view url);

// The service a search stage asks, with the base address and key it was started with; the
// answers and the key header follow it even when the Options change during the stage.
struct SearchInUse {
    const SearchService* service = &search_services().front();
    std::string base;
    std::string key;
    SearchLocale locale;
    // The stage's answer pages: only their downloads carry the key, whatever stage runs when a
    // request of theirs (a retry, a redirect) is sent.
    std::vector<std::string> page_urls;
};
