#include "model/app/Downloaddemo_U.h"

namespace {

std::string forums_rated(int rated, int good) {
    return std::to_string(rated) + (rated == 1 ? " forum" : " forums") + " rated, " + std::to_string(good) + " Good";
}

}  // namespace

std::string TForm1::research_end_status() const {
    const std::string head = pipeline.stop_requested ? "Research stopped: " : "Research finished: ";
    if (pipeline.research_stage == stage::Forum) {
        if (google_list.item_count() == 0) return head + "the search found no forum";
        int good = 0;
        for (const ListItem& row : research_rows.results.items())
            good += row.facts.result.verdict == Verdict::Good;
        return head + forums_rated(result_list.item_count(), good);
    }
    // Stopped during the search: its links were never rated.
    const int found = google_res.item_count();
    if (found == 0) return head + "the search found no forum";
    return head + "the search found " + std::to_string(found) + (found == 1 ? " link" : " links") + ", none rated";
}
