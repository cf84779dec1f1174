#include "model/app/Downloaddemo_U.h"

void TForm1::search_serviceChange() {
    search_host.set_text(search_service_at(search_service.item_index()).default_base);
}

SearchInUse TForm1::chosen_search() const {
    const SearchService& service = search_service_at(search_service.item_index());
    if (const auto problem = search_key_problem(api_key.text()); !problem.empty()) throw AppError(problem);
    if (const auto problem = search_base_problem(service, search_host.text()); !problem.empty())
        throw AppError(problem);
    SearchInUse search;
    search.service = &service;
    search.base = search_host.text();
    search.key = api_key.text();
    search.locale = {search_language_at(results_language.item_index()), search_region_at(results_region.item_index())};
    return search;
}
