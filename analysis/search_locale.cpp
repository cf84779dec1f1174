#include "analysis/search_locale.h"

#include "analysis/text_case.h"

#include <array>

namespace {

constexpr auto kLanguages = std::to_array<SearchLanguage>({
    {"en", "English", "us"},
    {"de", "German", "de"},
    {"fr", "French", "fr"},
    {"es", "Spanish", "es"},
    {"it", "Italian", "it"},
    {"pt", "Portuguese", "br", "pt-br"},
    {"nl", "Dutch", "nl"},
    {"pl", "Polish", "pl"},
    {"cs", "Czech", "cz"},
    {"hu", "Hungarian", "hu"},
    {"ru", "Russian", "ru"},
    {"sv", "Swedish", "se"},
    {"da", "Danish", "dk"},
    {"fi", "Finnish", "fi"},
    {"tr", "Turkish", "tr"},
    {"ja", "Japanese", "jp", "jp"},
    {"ko", "Korean", "kr"},
});

constexpr auto kRegions = std::to_array<SearchRegion>({
    {"au", "Australia", "en"},
    {"at", "Austria", "de"},
    {"be", "Belgium", "nl"},
    {"br", "Brazil", "pt"},
    {"ca", "Canada", "en"},
    {"cz", "Czech Republic", "cs"},
    {"dk", "Denmark", "da"},
    {"fi", "Finland", "fi"},
    {"fr", "France", "fr"},
    {"de", "Germany", "de"},
    {"hu", "Hungary", "hu"},
    {"in", "India", "en"},
    {"ie", "Ireland", "en"},
    {"it", "Italy", "it"},
    {"jp", "Japan", "ja"},
    {"mx", "Mexico", "es"},
    {"nl", "Netherlands", "nl"},
    {"nz", "New Zealand", "en"},
    {"pl", "Poland", "pl"},
    {"pt", "Portugal", "pt"},
    {"ru", "Russia", "ru"},
    {"kr", "South Korea", "ko"},
    {"es", "Spain", "es"},
    {"se", "Sweden", "sv"},
    {"ch", "Switzerland", "de"},
    {"tr", "Turkey", "tr"},
    {"gb", "United Kingdom", "en", "uk"},
    {"us", "United States", "en"},
});

// The two tables are read alike: by code, by name, by drop-down position.
template <typename Entry, std::size_t N>
const Entry* find_code(const std::array<Entry, N>& table, std::string_view code) {
    for (const auto& entry : table)
        if (equals_ignoring_case(entry.code, code)) return &entry;
    return nullptr;
}

template <typename Entry, std::size_t N>
std::string codes(const std::array<Entry, N>& table) {
    std::string text;
    for (const auto& entry : table) text += (text.empty() ? "" : ", ") + std::string(entry.code);
    return text;
}

template <typename Entry, std::size_t N>
std::vector<std::string> captions(const std::array<Entry, N>& table) {
    std::vector<std::string> items{"Any"};
    for (const auto& entry : table) items.emplace_back(entry.name);
    return items;
}

template <typename Entry, std::size_t N>
const Entry* entry_at(const std::array<Entry, N>& table, int index) {
    if (index < 1 || index > static_cast<int>(N)) return nullptr;
    return &table[static_cast<std::size_t>(index - 1)];
}

template <typename Entry, std::size_t N>
int index_of(const std::array<Entry, N>& table, const Entry* entry) {
    for (std::size_t i = 0; i < N; ++i)
        if (&table[i] == entry) return static_cast<int>(i) + 1;
    return 0;
}

}  // namespace

std::span<const SearchLanguage> search_languages() { return kLanguages; }
std::span<const SearchRegion> search_regions() { return kRegions; }
const SearchLanguage* find_search_language(std::string_view code) { return find_code(kLanguages, code); }
const SearchRegion* find_search_region(std::string_view code) { return find_code(kRegions, code); }
std::string search_language_codes() { return codes(kLanguages); }
std::string search_region_codes() { return codes(kRegions); }
std::vector<std::string> search_language_captions() { return captions(kLanguages); }
std::vector<std::string> search_region_captions() { return captions(kRegions); }
const SearchLanguage* search_language_at(int index) { return entry_at(kLanguages, index); }
const SearchRegion* search_region_at(int index) { return entry_at(kRegions, index); }
int search_language_index(const SearchLanguage* language) { return index_of(kLanguages, language); }
int search_region_index(const SearchRegion* region) { return index_of(kRegions, region); }
