#include "model/app/Downloaddemo_U.h"

#include "analysis/forum_engines/forum_page.h"
#include "analysis/number_text.h"
#include "model/app/list_layouts.h"

void TForm1::check_page_for_popularClick() {
    // The queue holds the forums already ("Use list" or a loaded list file).
    start_stage({.stage = stage::Forum,
                 .status = "Checking forums popularity",
                 .threads = allowed_threads.value(),
                 .threads_editable = true,
                 .attempts_limit = allow_attemps_ui.value(),
                 .results_layout = list_layout::results_forum_stage},
                [this] { pipeline.forum_engines.clear(); });
}

void TForm1::get_sites_popularityClick() {
    ForumFigures figures =
        read_forum_page(pipeline.page_text, read_current_engines.checked(), pipeline.completed_served_at);
    pipeline.page_figures = figures;
    pipeline.posts_average = std::move(figures.average);
    pipeline.posts_max = std::move(figures.max);
    pipeline.newest_post = std::move(figures.newest_post);
    // A later page of the same forum may be read another way; only the last reading stands.
    if (figures.engine.empty()) {
        pipeline.forum_engines.erase(pipeline.completed_url);
        return;
    }
    memo1.add_line("Counted as " + figures.engine + ": " + decimal_text(figures.numbers) + " numbers (" +
                   pipeline.completed_url + ")");
    pipeline.forum_engines[pipeline.completed_url] = std::move(figures.engine);
}
