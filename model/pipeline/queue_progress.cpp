#include "model/pipeline/queue_progress.h"

#include "analysis/number_text.h"
#include "model/app/controls/list_rows.h"

QueueProgress queue_progress(const ListRows& queue, int attempts_shown) {
    QueueProgress progress;
    progress.rows = queue.count();
    for (const ListItem& item : queue.items())
        progress.done += item.facts.queue.state == RowState::Finished || item.facts.queue.attempts == attempts_shown;
    return progress;
}

std::string queue_progress_caption(const QueueProgress& progress) {
    if (progress.rows == 0) return "...";
    const long long percent = static_cast<long long>(progress.done) * 100 / progress.rows;
    return decimal_text(progress.done) + " / " + decimal_text(progress.rows) + "  (" + decimal_text(percent) +
           " % downloaded)";
}
