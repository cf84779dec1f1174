#include "app/Downloaddemo_U.h"

#include "analysis/search_answer.h"
#include "analysis/number_text.h"
#include "analysis/search_request.h"
#include "analysis/search_service.h"
#include "app/list_layouts.h"

void TForm1::request_googleClick() {
    // A key or base address that cannot be used stops the start before anything changes.
    SearchInUse search = chosen_search();
    const SearchService& service = *search.service;
    if (const std::string refusal = dig_level_refusal(service, dig_google.value()); !refusal.empty())
        throw AppError(refusal);
    pipeline.status_text = service.base_is_address ? std::string("Sending request to ") + service.caption + "..."
                                                   : "Sending request to google...";
    pipeline.stage_threads = 1;
    allowed_threads.set_enabled(false);
    allow_attemps_ui.set_enabled(true);
    pipeline.research_stage = stage::Search;
    google_res.clear_items();
    google_list.clear_items();

    const int pages = service_page_count(service, dig_google.value());
    for (int i = 0; i < pages; ++i) {
        search.page_urls.push_back(service.page_url(search.base, search_phrase.text(), request.text(), i));
        google_list.add_item(ListItem{search.page_urls.back(),
                                      {std::string(service.page_label) + " page " + decimal_text(i), "", "0",
                                       row_state::Download}});
    }
    pipeline.search = std::move(search);

    pipeline.parallel_limit = pipeline.stage_threads;
    UrlDownload1.TimeOut = 15000;
    pipeline.attempts_limit = 5;
    result_list.clear_items();
    apply_list_layout(result_list, list_layout::results_search_stage);
    pipeline.stop_requested = false;
    clear_download_lines();
    Timer1.start();
    Timer1Timer();
}

void TForm1::get_urls_from_google_listClick() {
    const SearchService& service = *pipeline.search.service;
    SearchAnswer answer;
    if (service.bot_check_status != 0 && pipeline.completed_response == service.bot_check_status)
        answer.note = service.bot_check_note;
    else
        answer = service.reader(pipeline.page_text);
    if (!answer.note.empty()) memo1.add_line(answer.note);
    for (auto& link : answer.links) {
        if (duplicates_any(link.url, google_res.items(), [](const ListItem& i) -> std::string_view { return i.caption; }))
            continue;
        google_res.add_item(ListItem{std::move(link.url), {std::move(link.description), ""}});
    }
}

void TForm1::google_gotClick() {
    apply_list_layout(result_list, list_layout::results_forum_stage);
    google_list.clear_items();
    for (int i = 0; i < google_res.item_count(); ++i) {
        google_list.add_item(ListItem{google_res.item(i).caption,
                                      {google_res.sub_item(i, 0), google_res.sub_item(i, 1), "0", row_state::Download}});
    }
}
