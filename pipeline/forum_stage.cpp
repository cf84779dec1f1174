#include "app/Downloaddemo_U.h"

#include "analysis/forum_engines/forum_page.h"
#include "analysis/number_text.h"
#include "app/list_layouts.h"

void TForm1::check_page_for_popularClick() {
    pipeline.status_text = "Checking forums popularity";
    pipeline.stage_threads = allowed_threads.value();
    allowed_threads.set_enabled(true);
    pipeline.attempts_limit = allow_attemps_ui.value();
    allow_attemps_ui.set_enabled(true);
    pipeline.research_stage = stage::Forum;
    google_res.clear_items();
    pipeline.parallel_limit = pipeline.stage_threads;
    UrlDownload1.TimeOut = 15000;
    result_list.clear_items();
    pipeline.forum_engines.clear();
    apply_list_layout(result_list, list_layout::results_forum_stage);
    pipeline.stop_requested = false;
    clear_download_lines();
    Timer1.start();
    Timer1Timer();
}

void TForm1::get_sites_popularityClick() {
    ForumFigures figures = read_forum_page(pipeline.page_text, read_current_engines.checked());
    pipeline.posts_average = std::move(figures.average);
    pipeline.posts_max = std::move(figures.max);
    // A later page of the same forum may be read another way; only the last reading stands.
    if (figures.engine.empty()) {
        pipeline.forum_engines.erase(pipeline.completed_url);
        return;
    }
    memo1.add_line("Counted as " + figures.engine + ": " + decimal_text(figures.numbers) + " numbers (" +
                   pipeline.completed_url + ")");
    pipeline.forum_engines[pipeline.completed_url] = std::move(figures.engine);
}
