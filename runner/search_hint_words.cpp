#include "runner/search_hint_words.h"

#include "model/app/Downloaddemo_U.h"

SearchHintWords::SearchHintWords()
    : choose_service_(kRunnerSettingWords.choose_service),
      choose_service_lower_(kRunnerSettingWords.choose_service_lower),
      service_address_(kRunnerSettingWords.service_address),
      words_(kRunnerSettingWords) {}

void SearchHintWords::set(std::string service_address) {
    service_address_ = std::move(service_address);
    words_.choose_service = choose_service_.c_str();
    words_.choose_service_lower = choose_service_lower_.c_str();
    words_.service_address = service_address_.c_str();
}

void SearchHintWords::name_options(const TForm1& form, bool host_given) {
    set(host_given ? kRunnerSettingWords.service_address
                   : "the service's own address " + form.search_host.text() + " (another one with --search-host)");
}

void SearchHintWords::name_choice(const TForm1& form, ChosenSearch choice) {
    const std::string host = form.search_host.text();
    switch (choice) {
    case ChosenSearch::Remembered:
        choose_service_ = "Choose another search service in the window's Options or with --search-service";
        choose_service_lower_ = "choose another search service in the window's Options or with --search-service";
        set("the address the window remembers, " + host + " (Options > \"Search host\"; or give --search-host)");
        return;
    case ChosenSearch::UsualSearx:
        set("the searx found answering at " + host);
        return;
    case ChosenSearch::PrivateSearx:
        set("the private searx that ravelmoot-research started at " + host);
        return;
    }
}
