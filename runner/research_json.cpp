#include "runner/research_json.h"

#include "analysis/json_text.h"
#include "model/app/controls/list_view.h"
#include "model/pipeline/pipeline_state.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace {

struct ForumField {
    const char* key;
    std::string (*value)(const ForumRow& forum);
};

// One line per key: a new key is one more line here.
const ForumField kForumFields[] = {
    {"url", [](const ForumRow& f) { return json_string(f.url()); }},
    {"description", [](const ForumRow& f) { return json_string(f.description()); }},
    {"verdict", [](const ForumRow& f) { return json_string_or_null(f.result_sub_item(result_column::Verdict)); }},
    {"posts_average", [](const ForumRow& f) { return json_number_or_null(f.result_sub_item(result_column::PostsAverage)); }},
    {"posts_max", [](const ForumRow& f) { return json_number_or_null(f.result_sub_item(result_column::PostsMax)); }},
    {"attempts", [](const ForumRow& f) { return json_number_or_null(f.queue_sub_item(queue_column::Attemps)); }},
    {"read_as", [](const ForumRow& f) { return json_string_or_null(f.read_as()); }},
    {"newest_post", [](const ForumRow& f) { return json_string_or_null(f.newest_post()); }},
    {"reason", [](const ForumRow& f) { return json_string_or_null(f.reason()); }},
};

std::optional<std::string> sub_item_of(const ListView& list, int row, int k) {
    if (row < 0 || !list.has_sub_item(row, k)) return std::nullopt;
    return list.sub_item(row, k);
}

}  // namespace

std::string ForumRow::url() const {
    return result_row >= 0 ? results.item(result_row).caption : queue.item(queue_row).caption;
}

std::string ForumRow::description() const {
    auto text = result_sub_item(result_column::Description);
    if (!text) text = queue_sub_item(queue_column::Description);
    return text.value_or("");
}

std::optional<std::string> ForumRow::result_sub_item(int k) const { return sub_item_of(results, result_row, k); }

std::optional<std::string> ForumRow::queue_sub_item(int k) const { return sub_item_of(queue, queue_row, k); }

std::optional<std::string> ForumRow::read_as() const {
    const auto engine = engines.find(url());
    if (engine != engines.end()) return engine->second;
    const auto average = result_sub_item(result_column::PostsAverage);
    if (average && !average->empty()) return "row2";
    return std::nullopt;
}

std::optional<std::string> ForumRow::newest_post() const {
    auto date = result_sub_item(result_column::NewestPost);
    if (date && date->empty()) date.reset();
    return date;
}

std::optional<std::string> ForumRow::reason() const {
    const ListView& list = result_row >= 0 ? results : queue;
    const int row = result_row >= 0 ? result_row : queue_row;
    if (row < 0 || list.item(row).facts.reason.empty()) return std::nullopt;
    return list.item(row).facts.reason;
}

std::string forum_json(const ForumRow& forum) {
    std::string line = "{";
    for (const ForumField& field : kForumFields) {
        if (line.size() > 1) line += ", ";
        line += json_string(field.key) + ": " + field.value(forum);
    }
    return line + "}";
}

std::string forums_json_lines(const ListView& results, const ListView& queue,
                              const std::map<std::string, std::string>& engines) {
    // First occurrence of each URL, as the pipeline's own look-ups find rows.
    std::unordered_map<std::string_view, int> queue_rows;
    for (int r = queue.item_count() - 1; r >= 0; --r) queue_rows[queue.item(r).caption] = r;
    std::unordered_set<std::string_view> rated;
    std::string text;
    for (int r = 0; r < results.item_count(); ++r) {
        const std::string& url = results.item(r).caption;
        rated.insert(url);
        const auto found = queue_rows.find(url);
        text += forum_json({results, r, queue, found == queue_rows.end() ? -1 : found->second, engines}) + "\n";
    }
    for (int r = 0; r < queue.item_count(); ++r)
        if (rated.insert(queue.item(r).caption).second) text += forum_json({results, -1, queue, r, engines}) + "\n";
    return text;
}
