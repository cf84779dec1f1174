#include "analysis/forum_engines/engine_counting.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/json_scan.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

#include <string>

namespace {

bool recognises(std::string_view page) {
    return generator_starts_with(page, "Discourse") || holds_any(page, {"data-discourse-setup", "id=\"data-preloaded\""});
}

// One level of JSON string escaping undone, for a JSON text stored as a string inside another.
std::string unescape_quotes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t p = 0; p < text.size(); ++p) {
        if (text[p] == '\\' && p + 1 < text.size() && (text[p + 1] == '"' || text[p + 1] == '\\' || text[p + 1] == '/'))
            ++p;
        out += text[p];
    }
    return out;
}

// The JSON Discourse preloads into its page (a data-preloaded="..." attribute, entity-encoded, the
// category list itself stored as a JSON string inside it) with that escaping undone; empty when
// the page carries none.
std::string preloaded_data(std::string_view page) {
    constexpr std::string_view kAttribute = "data-preloaded=\"";
    const std::size_t at = page.find(kAttribute);
    if (at == std::string_view::npos) return {};
    const std::size_t start = at + kAttribute.size();
    const std::size_t end = page.find('"', start);
    if (end == std::string_view::npos) return {};
    std::string data = decode_character_references(page.substr(start, end - start));
    if (data.find("\"category_list\"") == std::string::npos) data = unescape_quotes(data);
    return data;
}

std::vector<std::string_view> categories(std::string_view data) {
    return json_items(json_member(object_behind(data, "\"category_list\""), "categories"));
}

// The view Discourse serves to clients that run no script: <table class='category-list'> with
// each category's topic count in <td class='topics'><div title='12 Topics'>12</div></td>; it
// shows no post counts.
void count_crawler_view(std::string_view text, PostCounter& counter) {
    std::size_t table = find_start_tag(text, "table", 0);
    while (table != std::string_view::npos && !has_class(tag_at(text, table), "category-list"))
        table = find_start_tag(text, "table", table + 1);
    if (table != std::string_view::npos)
        for_each_element(text.substr(table), "td", "topics",
                         [&](std::string_view, std::string_view cell) { count_cell_numbers(cell, counter); });
}

// The category list inside the preloaded data holds "categories" with topic_count and post_count.
void count(const PageLines& page, PostCounter& counter) {
    const std::string data = preloaded_data(page.bytes());
    if (data.empty()) return count_crawler_view(page.bytes(), counter);
    for (std::string_view category : categories(data))
        for (std::string_view key : {"topic_count", "post_count"})
            if (const auto value = json_count(json_member(category, key))) counter.add(*value);
}

// Each category of the preloaded list carries its latest topics, whose "last_posted_at" is the
// time of their last post as an ISO date; the view for clients without scripts shows no dates.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::None);
    const std::string data = preloaded_data(page.bytes());
    for (std::string_view category : categories(data))
        for (std::string_view topic : json_items(json_member(category, "topics")))
            newest.take_iso(json_string_text(json_member(topic, "last_posted_at")));
    return newest.newest();
}

// The preloaded data names what the page shows: "category_list" on the category list,
// "topic_list" on a list of topics, "topic_N" on a topic. The view for clients without scripts
// writes a topic as schema.org's DiscussionForumPosting and lists as <table class="topic-list">
// or "category-list"; that view's markup is written from memory, not verified.
PageShape page_kind(std::string_view page) {
    const std::size_t at = page.find("data-preloaded=\"");
    if (at != std::string_view::npos) {
        const std::string_view data = page.substr(at, page.find('"', at + 16) - at);
        if (data.find("category_list") != std::string_view::npos) return {PageKind::BoardIndex};
        for (std::size_t key = data.find("topic_"); key != std::string_view::npos; key = data.find("topic_", key + 1))
            if (key + 6 < data.size() && data[key + 6] >= '0' && data[key + 6] <= '9') return {PageKind::TopicPage};
        if (data.find("topic_list") != std::string_view::npos) return {PageKind::ForumPage};
        return {};
    }
    if (holds_any(page, {"DiscussionForumPosting"})) return {PageKind::TopicPage};
    if (find_element_with_class(page, "table", "category-list") != std::string_view::npos) return {PageKind::BoardIndex};
    if (find_element_with_class(page, "table", "topic-list") != std::string_view::npos) return {PageKind::ForumPage};
    return {};
}

// The category list ("/categories"); a page without such a link is not followed.
std::string_view board_index_link(std::string_view page) { return href_ending_with(page, "/categories"); }

}  // namespace

const ForumEngine forum_engine::discourse = {"discourse", "Discourse", recognises, count, newest_post, page_kind, board_index_link};
