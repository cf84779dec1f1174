#include "model/pipeline/queue_rows.h"

#include "analysis/number_text.h"
#include "model/app/controls/list_view.h"
#include "model/pipeline/pipeline_state.h"

bool is_new_attempts_text(std::string_view attempts_text) {
    return attempts_text.empty() || attempts_text == "0" || !parse_int_strict(attempts_text);
}

bool is_new_row(std::string_view attempts_text, std::string_view result) {
    return is_new_attempts_text(attempts_text) && result != row_state::Finished;
}

int attempts_of(std::string_view attempts_text) { return parse_int_strict(attempts_text).value_or(0); }

NewRowTracker::NewRowTracker(const ListView& queue) : queue_(queue) { recount(); }

void NewRowTracker::recount() {
    new_rows_ = 0;
    for (int r = 0; r < queue_.item_count(); ++r)
        new_rows_ += is_new_row(queue_.sub_item(r, queue_column::Attemps), queue_.sub_item(r, queue_column::Result));
    revision_ = queue_.revision();
}

bool NewRowTracker::any_new() {
    if (queue_.revision() != revision_) recount();
    return new_rows_ > 0;
}

void NewRowTracker::own_attempts_change(std::string_view result, std::string_view before, std::string_view after) {
    new_rows_ += static_cast<long long>(is_new_row(after, result)) - static_cast<long long>(is_new_row(before, result));
}

void NewRowTracker::sync() { revision_ = queue_.revision(); }
