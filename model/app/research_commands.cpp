#include "model/app/Downloaddemo_U.h"

#include "analysis/search_service.h"
#include "model/pipeline/queue_progress.h"

void TForm1::Button4Click() {
    // Refused before anything changes: the research that runs, if any, goes on untouched.
    if (const std::string refusal = dig_level_refusal(search_service_at(search_service.item_index()), dig_level_ui.value()); !refusal.empty()) throw AppError(refusal);
    pipeline.status_text = "Analysis started";
    dig_google.set_value(dig_level_ui.value());
    request.set_text(request_ui.text());
    request_google.click();
}

void TForm1::Button3Click() {
    if (Timer1.isActive())
        Timer1.stop();
    else
        Timer1.start();
    Button3.set_caption(Timer1.isActive() ? "Pause" : "Continue");
}

void TForm1::Button1Click() {
    UrlDownload1.Cancel();
    pipeline.status_text = "Stopped";
    pipeline.stop_requested = true;
    // Paused with nothing listed: no tick or download is left to see the end.
    end_research_if_over(false);
}

void TForm1::Timer2Timer() {
    status_label.set_caption(pipeline.status_text);
    const QueueProgress progress = queue_progress();
    Label12.set_caption(queue_progress_caption(progress));
    query_progress.set(progress.done, progress.rows);
}

QueueProgress TForm1::queue_progress() const { return ::queue_progress(research_rows.queue, allow_attemps_ui.value()); }

void TForm1::Label13Click() {
    // The subject is the product name in lower case.
    if (open_url) open_url(std::string("mailto:") + kContactAddress + "?subject=ravelmoot");
}

void TForm1::Label29Click() {
    if (open_url) open_url(kHomePage);
}
