#include "model/app/Downloaddemo_U.h"

#include "model/app/list_layouts.h"

#include <ctime>

void TForm1::start_stage(const StageSettings& settings, const std::function<void()>& prepare_queue) {
    pipeline.status_text = settings.status;
    pipeline.stage_threads = settings.threads;
    allowed_threads.set_enabled(settings.threads_editable);
    pipeline.attempts_limit = settings.attempts_limit;
    allow_attemps_ui.set_enabled(true);
    pipeline.research_stage = settings.stage;
    pipeline.research_started_at = std::time(nullptr);
    research_running_ = true;
    google_res.clear_items();
    pipeline.collected_links.clear();
    pipeline.site_pace.clear();
    prepare_queue();

    pipeline.parallel_limit = pipeline.stage_threads;
    UrlDownload1.TimeOut = kStageTimeOutMs;
    result_list.clear_items();
    apply_list_layout(result_list, settings.results_layout);
    pipeline.stop_requested = false;
    clear_download_lines();
    Timer1.start();
    if (!stage_started_by_tick_) Timer1Timer();
}

void TForm1::end_research_if_over(bool last_stage_ended) {
    if (!research_running_ || Timer1.isActive() || download_list.count() > 0) return;
    // A paused research with nothing listed is not over: Continue goes on with it.
    if (!last_stage_ended && !pipeline.stop_requested) return;
    research_running_ = false;
    pipeline.status_text = research_end_status();
    status_label.set_caption(pipeline.status_text);
    emit research_over();
}
