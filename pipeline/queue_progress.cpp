#include "pipeline/queue_progress.h"

#include "analysis/number_text.h"
#include "app/controls/list_view.h"
#include "pipeline/pipeline_state.h"

QueueProgress queue_progress(const ListView& queue, int attempts_shown) {
    QueueProgress progress;
    progress.rows = queue.item_count();
    const std::string limit = decimal_text(attempts_shown);
    for (int r = 0; r < progress.rows; ++r) {
        if (queue.sub_item(r, queue_column::Result) == row_state::Finished ||
            queue.sub_item(r, queue_column::Attemps) == limit)
            ++progress.done;
    }
    return progress;
}

std::string queue_progress_caption(const QueueProgress& progress) {
    if (progress.rows == 0) return "...";
    const long long percent = static_cast<long long>(progress.done) * 100 / progress.rows;
    return decimal_text(progress.done) + " / " + decimal_text(progress.rows) + "  (" + decimal_text(percent) +
           " % downloaded)";
}
