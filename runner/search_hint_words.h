#pragma once

#include "analysis/search_service.h"
#include "model/app/program_search.h"

#include <string>

class TForm1;

// How the runner's closing hints name what the person can change: the options given, the search
// the window remembers, or the searx the runner found or started. The form reads `words` through
// its options, so it is filled in once the search is chosen. Not copyable: words point into it.
class SearchHintWords {
public:
    SearchHintWords();
    SearchHintWords(const SearchHintWords&) = delete;
    SearchHintWords& operator=(const SearchHintWords&) = delete;

    const SettingWords* words() const { return &words_; }
    // After the search was chosen: by the options (with or without --search-host), or by
    // choose_answering_search; the form holds the service's address.
    void name_options(const TForm1& form, bool host_given);
    void name_choice(const TForm1& form, ChosenSearch choice);

private:
    void set(std::string service_address);

    std::string choose_service_;
    std::string choose_service_lower_;
    std::string service_address_;
    SettingWords words_;
};
