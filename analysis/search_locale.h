#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The languages and regions a search may be narrowed to: those the search services share, each
// under the code the runner takes and the name the Options show. Pure data, no Qt.

struct SearchLanguage {
    const char* code;  // ISO 639-1, lower case: what --language takes and searx and Google receive
    const char* name;
    // DuckDuckGo's kl names a region too: this one when no region is chosen.
    const char* home_region;
    const char* brave_code = nullptr;  // Brave's own code where it is not `code`
};

struct SearchRegion {
    const char* code;  // ISO 3166-1 alpha-2, lower case: what --region takes
    const char* name;
    // searx and DuckDuckGo take a region only with a language: this one when none is chosen.
    const char* home_language;
    const char* duckduckgo_code = nullptr;  // DuckDuckGo's own code where it is not `code`
};

// What a search is narrowed to; a null entry is "Any". Both null: every request as without them.
struct SearchLocale {
    const SearchLanguage* language = nullptr;
    const SearchRegion* region = nullptr;
};

std::span<const SearchLanguage> search_languages();
std::span<const SearchRegion> search_regions();

// The entry of that code (any letter case), or nullptr.
const SearchLanguage* find_search_language(std::string_view code);
const SearchRegion* find_search_region(std::string_view code);
// The codes joined by ", ", for help and messages.
std::string search_language_codes();
std::string search_region_codes();

// The drop-downs' entries: "Any", then the names in table order; position 0 is "Any".
std::vector<std::string> search_language_captions();
std::vector<std::string> search_region_captions();
// The entry at a drop-down position; nullptr for "Any" or a position outside the list.
const SearchLanguage* search_language_at(int index);
const SearchRegion* search_region_at(int index);
// The drop-down position of an entry (0 for nullptr).
int search_language_index(const SearchLanguage* language);
int search_region_index(const SearchRegion* region);
