#include "model/app/Downloaddemo_U.h"

#include "analysis/search_answer.h"
#include "analysis/number_text.h"
#include "analysis/search_request.h"
#include "analysis/search_service.h"
#include "model/app/list_layouts.h"
#include "model/pipeline/row_texts.h"

namespace {

constexpr int kSearchStageThreads = 1;
constexpr int kSearchStageAttempts = 5;

}  // namespace

void TForm1::request_googleClick() {
    // A key or base address that cannot be used stops the start before anything changes.
    SearchInUse search = chosen_search();
    const SearchService& service = *search.service;
    if (const std::string refusal = dig_level_refusal(service, dig_google.value()); !refusal.empty())
        throw AppError(refusal);
    const std::string status = service.base_is_address ? std::string("Sending request to ") + service.caption + "..."
                                                        : "Sending request to google...";
    // One download at a time and five starts a page, whatever "Threads" and "Attemps" say.
    start_stage({.stage = stage::Search,
                 .status = status,
                 .threads = kSearchStageThreads,
                 .threads_editable = false,
                 .attempts_limit = kSearchStageAttempts,
                 .results_layout = list_layout::results_search_stage},
                [&] {
                    google_list.clear_items();
                    const int pages = service_page_count(service, dig_google.value());
                    for (int i = 0; i < pages; ++i) {
                        search.page_urls.push_back(service.page_url(search.base, search_phrase.text(), request.text(), i, search.locale));
                        google_list.add_row(queue_item(search.page_urls.back(),
                                                       std::string(service.page_label) + " page " + decimal_text(i),
                                                       {.state = RowState::Download, .origin = RowOrigin::Search}));
                    }
                    if (const std::string note = search_locale_note(service, search.locale); !note.empty())
                        memo1.add_line(note);
                    pipeline.search = std::move(search);
                    pipeline.search_exhausted = false;
                });
}

void TForm1::get_urls_from_google_listClick() {
    const SearchService& service = *pipeline.search.service;
    SearchAnswer answer;
    if (service.bot_check_status != 0 && pipeline.completed_response == service.bot_check_status)
        answer.bot_check = true;
    else
        answer = service.reader(pipeline.page_text);
    if (answer.bot_check && service.bot_check_note) answer.note = service.bot_check_note(*options_.setting_words);
    if (!answer.note.empty()) memo1.add_line(answer.note);
    if (answer.no_results) end_search_after(pipeline.completed_url);
    CollectedLinkIndex& collected = pipeline.collected_links;
    // Rows that came some other way than below are indexed afresh, so the test always sees them all.
    if (collected.size() != static_cast<std::size_t>(google_res.item_count())) {
        collected.clear();
        for (const auto& row : google_res.items()) collected.add(row.caption);
    }
    keep_new_links(std::move(answer), collected, [&](FoundLink link) {
        google_res.add_item(ListItem{std::move(link.url), {std::move(link.description), ""}});
    });
}

void TForm1::end_search_after(const std::string& page_url) {
    pipeline.search_exhausted = true;
    const int answered = google_list.find_caption(page_url);
    if (answered < 0) return;
    // The pages after it are not asked; one that failed before it may still answer.
    for (int r = answered + 1; r < google_list.item_count(); ++r)
        if (download_list.index_of_ignoring_case(google_list.item(r).caption) < 0)
            set_row_state(google_list, r, RowState::Finished);
}

void TForm1::google_gotClick() {
    apply_list_layout(result_list, list_layout::results_forum_stage);
    google_list.clear_items();
    for (int i = 0; i < google_res.item_count(); ++i) {
        ListItem row{google_res.item(i).caption, {google_res.sub_item(i, 0), google_res.sub_item(i, 1), "0", row_state::Download}};
        row.facts.queue = {.state = RowState::Download, .origin = RowOrigin::Search};
        google_list.add_row(std::move(row));
    }
}
