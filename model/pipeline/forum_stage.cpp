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
                [] {});
}

ForumFigures TForm1::get_sites_popularityClick() {
    ForumFigures figures =
        read_forum_page(pipeline.page_text, read_current_engines.checked(), pipeline.completed_served_at);
    if (!figures.reading.empty())
        memo1.add_line(figures.reading + " (" + pipeline.completed_url + ")");
    else if (figures.numbers > 0 && !figures.engine.empty())
        memo1.add_line("Counted as " + figures.engine + ": " + decimal_text(figures.numbers) + " numbers (" +
                       pipeline.completed_url + ")");
    else if (figures.page_kind == PageKind::TopicPage || figures.page_kind == PageKind::ForumPage)
        memo1.add_line("Recognised as " + figures.engine + ": a " +
                       (figures.page_kind == PageKind::TopicPage ? "topic page" : "forum page without sub-forum counts") +
                       " (" + pipeline.completed_url + ")");
    else if (!figures.engine.empty())
        memo1.add_line("Recognised as " + figures.engine + ": no whole-number counts on the page (" +
                       pipeline.completed_url + ")");
    return figures;
}
