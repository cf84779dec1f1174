#include "app/Downloaddemo_U.h"

#include "analysis/popularity.h"
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
    apply_list_layout(result_list, list_layout::results_forum_stage);
    pipeline.stop_requested = false;
    clear_download_lines();
    Timer1.start();
    Timer1Timer();
}

void TForm1::get_sites_popularityClick() {
    PostCounter counter;
    const int lines = result_memo.count();
    for (int i = 0; i < lines; ++i) counter.add_line(result_memo.line(i));
    pipeline.posts_average = counter.average_text();
    pipeline.posts_max = counter.max_text();
}
