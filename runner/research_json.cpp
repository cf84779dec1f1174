#include "runner/research_json.h"

#include "analysis/calendar_day.h"
#include "model/app/controls/list_rows.h"
#include "model/pipeline/pipeline_state.h"
#include "model/pipeline/row_texts.h"

#include <nlohmann/json.hpp>

#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace {

using Json = nlohmann::ordered_json;

Json text_or_null(const std::optional<std::string>& text) { return text ? Json(*text) : Json(nullptr); }

Json verdict(const ForumRow& f) {
    const ListItem* row = f.result();
    return row && row->facts.result.verdict != Verdict::None ? Json(verdict_text(row->facts.result.verdict)) : Json(nullptr);
}

Json attempts(const ForumRow& f) {
    return f.queue_row >= 0 ? Json(f.queue.item(f.queue_row).facts.queue.attempts) : Json(nullptr);
}

// What the reader found on the forum's page, as it found it; nothing for a forum without a page.
const ForumFigures* figures_of(const ForumRow& f) {
    const ListItem* row = f.result();
    return row ? &row->facts.result.figures : nullptr;
}

// The page's counts: none where it has no page or its page counted nothing.
const ForumFigures* counted(const ForumRow& f) {
    const ForumFigures* figures = figures_of(f);
    return figures && figures->numbers > 0 ? figures : nullptr;
}

Json engine_id(const ForumRow& f) {
    const ForumFigures* figures = figures_of(f);
    return figures && !figures->engine_id.empty() ? Json(figures->engine_id) : Json(nullptr);
}

Json newest_post(const ForumRow& f) {
    const ForumFigures* figures = figures_of(f);
    return figures && figures->newest_post ? Json(calendar_day_text(*figures->newest_post)) : Json(nullptr);
}

std::optional<std::string> read_as(const ForumRow& f) {
    const ForumFigures* figures = counted(f);
    if (!figures) return std::nullopt;
    return figures->engine.empty() ? std::string("row2") : figures->engine;
}

struct ForumField {
    const char* key;
    Json (*value)(const ForumRow& forum);
};

// One line per key: a new key is one more line here.
const ForumField kForumFields[] = {
    {"url", [](const ForumRow& f) { return Json(f.url()); }},
    {"description", [](const ForumRow& f) { return Json(f.description()); }},
    {"verdict", verdict},
    {"posts_average", [](const ForumRow& f) { return counted(f) ? Json(counted(f)->average) : Json(nullptr); }},
    {"posts_max", [](const ForumRow& f) { return counted(f) ? Json(counted(f)->max) : Json(nullptr); }},
    {"attempts", attempts},
    {"read_as", [](const ForumRow& f) { return text_or_null(read_as(f)); }},
    {"newest_post", [](const ForumRow& f) { return newest_post(f); }},
    {"engine", [](const ForumRow& f) { return engine_id(f); }},
    {"reason", [](const ForumRow& f) { return text_or_null(f.reason()); }},
};

std::optional<std::string> sub_item_of(const ListRows& list, int row, int k) {
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

const ListItem* ForumRow::result() const { return result_row >= 0 ? &results.item(result_row) : nullptr; }

std::optional<std::string> ForumRow::reason() const {
    const ListRows& list = result_row >= 0 ? results : queue;
    const int row = result_row >= 0 ? result_row : queue_row;
    if (row < 0 || !list.item(row).facts.reason) return std::nullopt;
    return list.item(row).facts.reason->text;
}

std::string forum_json(const ForumRow& forum) {
    Json object = Json::object();
    for (const ForumField& field : kForumFields) object[field.key] = field.value(forum);
    // Page texts may be in another code page: a byte that is no UTF-8 becomes U+FFFD.
    return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string forums_json_lines(const ListRows& results, const ListRows& queue) {
    // First occurrence of each URL, as the pipeline's own look-ups find rows.
    std::unordered_map<std::string_view, int> queue_rows;
    for (int r = queue.count() - 1; r >= 0; --r) queue_rows[queue.item(r).caption] = r;
    std::unordered_set<std::string_view> rated;
    std::string text;
    for (int r = 0; r < results.count(); ++r) {
        const std::string& url = results.item(r).caption;
        rated.insert(url);
        const auto found = queue_rows.find(url);
        text += forum_json({results, r, queue, found == queue_rows.end() ? -1 : found->second}) + "\n";
    }
    for (int r = 0; r < queue.count(); ++r)
        if (rated.insert(queue.item(r).caption).second) text += forum_json({results, -1, queue, r}) + "\n";
    return text;
}
