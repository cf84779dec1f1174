#include "model/console/results_csv.h"

#include "analysis/csv_text.h"
#include "model/app/controls/list_view.h"
#include "model/console/list_file.h"

#include <algorithm>
#include <vector>

namespace {

constexpr const char* kNewestPost = "Newest post";

}  // namespace

std::string results_csv(const ListView& results) {
    const auto& columns = results.columns();
    const bool has_newest_post = std::any_of(columns.begin(), columns.end(),
                                             [](const ListColumn& column) { return column.caption == kNewestPost; });
    std::vector<std::string> fields;
    for (const ListColumn& column : columns) fields.push_back(column.caption);
    fields.emplace_back("Engine");
    if (!has_newest_post) fields.emplace_back(kNewestPost);
    fields.emplace_back("Reason");
    std::string text = csv_record(fields);

    for (int row = 0; row < results.item_count(); ++row) {
        const ListItem& item = results.item(row);
        fields.clear();
        if (!columns.empty()) fields.push_back(item.caption);
        for (int k = 0; k + 1 < results.column_count(); ++k) fields.push_back(results.sub_item(row, k));
        fields.push_back(item.facts.result.figures.engine);
        if (!has_newest_post) fields.push_back(newest_post_text(item.facts.result.figures));
        fields.push_back(item.facts.reason_text());
        text += csv_record(fields);
    }
    return text;
}

void save_results_csv(const std::string& file_name, const ListView& results) {
    write_list_bytes(file_name, results_csv(results));
}
