#include "model/pipeline/row_texts.h"

#include "analysis/number_text.h"
#include "model/app/list_layouts.h"
#include "model/pipeline/pipeline_state.h"

#include <algorithm>

namespace {

const std::string& cell(const ListItem& item, int k) {
    static const std::string empty;
    return k < static_cast<int>(item.sub_items.size()) ? item.sub_items[static_cast<std::size_t>(k)] : empty;
}

// A list file brings its own columns: a column is the forum stage's where its caption is.
bool forum_column_at(const std::vector<ListColumn>& columns, int sub_item) {
    const auto& layout = list_layout::results_forum_stage;
    const auto column = static_cast<std::size_t>(sub_item + 1);
    return column < columns.size() && column < layout.size() && columns[column].caption == layout[column].caption;
}

}  // namespace

const char* row_state_text(RowState state) {
    switch (state) {
    case RowState::Download: return row_state::Download;
    case RowState::Redownload: return row_state::Redownload;
    case RowState::Finished: return row_state::Finished;
    case RowState::None: break;
    }
    return "";
}

const char* verdict_text(Verdict verdict) {
    switch (verdict) {
    case Verdict::Good: return verdict::Good;
    case Verdict::BadDownload: return verdict::BadDownload;
    case Verdict::Fatal: return verdict::Fatal;
    case Verdict::None: break;
    }
    return "";
}

void read_queue_row(ListItem& item, const std::vector<ListColumn>&) {
    QueueRow& row = item.facts.queue;
    const std::string& state = cell(item, queue_column::Result);
    row.state = state.empty()                    ? RowState::None
                : state == row_state::Download   ? RowState::Download
                : state == row_state::Finished   ? RowState::Finished
                                                 : RowState::Redownload;
    row.attempts = std::max(0, parse_int_strict(cell(item, queue_column::Attemps)).value_or(0));
}

void read_result_row(ListItem& item, const std::vector<ListColumn>& columns) {
    ResultRow& row = item.facts.result;
    const std::string& verdict = cell(item, result_column::Verdict);
    for (const Verdict v : {Verdict::Good, Verdict::BadDownload, Verdict::Fatal})
        if (verdict == verdict_text(v)) row.verdict = v;
    if (!forum_column_at(columns, result_column::PostsAverage) || !forum_column_at(columns, result_column::PostsMax))
        return;
    const auto average = parse_int_strict(cell(item, result_column::PostsAverage));
    const auto max = parse_int_strict(cell(item, result_column::PostsMax));
    if (average && max && *average >= 0 && *max >= 0) {
        row.figures.numbers = 1;
        row.figures.average = *average;
        row.figures.max = *max;
    }
    if (forum_column_at(columns, result_column::NewestPost))
        row.figures.newest_post = parse_iso_day(cell(item, result_column::NewestPost));
}

ListItem queue_item(std::string url, std::string description, QueueRow values) {
    ListItem item{std::move(url), {std::move(description), "", decimal_text(values.attempts), row_state_text(values.state)}};
    item.facts.queue = std::move(values);
    return item;
}

void set_row_state(ListView& queue, int row, RowState state) {
    queue.facts_to_change(row).queue.state = state;
    queue.set_sub_item(row, queue_column::Result, row_state_text(state));
}

void set_row_attempts(ListView& queue, int row, int attempts) {
    queue.facts_to_change(row).queue.attempts = attempts;
    queue.set_sub_item(row, queue_column::Attemps, decimal_text(attempts));
}
