#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/engine_names.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/forum_engines/json_scan.h"
#include "analysis/html_markup.h"

#include <string>

namespace {

// A JSON number, or a number sent as a string.
std::optional<std::int32_t> json_count(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return parse_board_number(value);
}

// Counts two members of every object in the "categories" array of object.
void count_categories(std::string_view object, std::string_view topics_key, std::string_view posts_key,
                      PostCounter& counter) {
    for (std::string_view category : json_items(json_member(object, "categories"))) {
        for (std::string_view key : {topics_key, posts_key})
            if (const auto value = json_count(json_member(category, key))) counter.add(*value);
    }
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

}  // namespace

// The page carries its data as window._ajaxifyData = {...} or in <script id="ajaxify-data">; its
// "categories" hold each category's
// totalTopicCount and totalPostCount. Where the page carries no such data, the category list
// shows each count as <span class="human-readable-number" title="N">, the exact count in the title.
ForumFigures read_nodebb(const PageLines& page) {
    PostCounter counter;
    // Older versions set it in a script, newer ones embed it as <script id="ajaxify-data">.
    for (std::string_view marker : {"window._ajaxifyData", "<script id=\"ajaxify-data\""})
        if (counter.count() == 0)
            count_categories(object_behind(page.bytes(), marker), "totalTopicCount", "totalPostCount", counter);
    if (counter.count() == 0)
        for_each_element(page.bytes(), "span", "human-readable-number", [&](std::string_view tag, std::string_view) {
            if (const auto value = parse_board_number(attribute(tag, "title"))) counter.add(*value);
        });
    return engine_figures(counter, engine_name::NodeBB);
}

namespace {

// The view Discourse serves to clients that run no script: <table class='category-list'> with
// each category's topic count in <td class='topics'><div title='12 Topics'>12</div></td>; it
// shows no post counts.
ForumFigures read_discourse_crawler_view(std::string_view text) {
    PostCounter counter;
    std::size_t table = find_start_tag(text, "table", 0);
    while (table != std::string_view::npos && !has_class(tag_at(text, table), "category-list"))
        table = find_start_tag(text, "table", table + 1);
    if (table != std::string_view::npos)
        for_each_element(text.substr(table), "td", "topics",
                         [&](std::string_view, std::string_view cell) { count_cell_numbers(cell, counter); });
    return engine_figures(counter, engine_name::Discourse);
}

}  // namespace

std::string discourse_preloaded_data(std::string_view page) {
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

// The category list inside the preloaded data holds "categories" with topic_count and post_count.
ForumFigures read_discourse(const PageLines& page) {
    const std::string data = discourse_preloaded_data(page.bytes());
    if (data.empty()) return read_discourse_crawler_view(page.bytes());
    PostCounter counter;
    count_categories(object_behind(data, "\"category_list\""), "topic_count", "post_count", counter);
    return engine_figures(counter, engine_name::Discourse);
}
