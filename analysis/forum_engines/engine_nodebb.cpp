#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/json_scan.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

#include <array>

namespace {

// Older versions set the page's data in a script, newer ones embed it as <script id="ajaxify-data">.
constexpr auto kDataMarks = std::to_array<std::string_view>({"window._ajaxifyData", "<script id=\"ajaxify-data\""});

bool recognises(std::string_view page) {
    return holds_any(page, {kDataMarks[0], kDataMarks[1], "nodebb.min.js"}) || generator_starts_with(page, "NodeBB");
}

// The "categories" of the page's data, in whichever form the page carries it; none without data.
std::vector<std::string_view> data_categories(std::string_view page) {
    for (std::string_view mark : kDataMarks)
        if (auto categories = json_items(json_member(object_behind(page, mark), "categories")); !categories.empty())
            return categories;
    return {};
}

// Each category of the data holds totalTopicCount and totalPostCount. Where the page carries no
// such data, the category list shows each count as <span class="human-readable-number" title="N">,
// the exact count in the title.
void count(const PageLines& page, PostCounter& counter) {
    for (std::string_view category : data_categories(page.bytes()))
        for (std::string_view key : {"totalTopicCount", "totalPostCount"})
            if (const auto value = json_count(json_member(category, key))) counter.add(*value);
    if (counter.count() == 0)
        for_each_element(page.bytes(), "span", "human-readable-number", [&](std::string_view tag, std::string_view) {
            if (const auto value = parse_board_number(attribute(tag, "title"))) counter.add(*value);
        });
}

// Each category of the data has its last post as "teaser" and its latest posts as "posts", each
// with "timestampISO". Without data, the category list's teaser box (class "teaser", or the
// component "topic/teaser" or "category/posts" in newer themes) shows the time in the title of an
// element of the class "timeago" (<span class="timeago" title="2018-03-19T23:30:05.617Z">), which
// themes also put on the link to the post.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::YearMonthDay);
    const auto categories = data_categories(page.bytes());
    for (std::string_view category : categories) {
        newest.take_iso(json_string_text(json_member(json_member(category, "teaser"), "timestampISO")));
        for (std::string_view post : json_items(json_member(category, "posts")))
            newest.take_iso(json_string_text(json_member(post, "timestampISO")));
    }
    if (!categories.empty()) return newest.newest();
    const auto teaser_box = [](std::string_view tag) {
        const std::string_view component = attribute(tag, "component");
        return has_class(tag, "teaser") || component == "topic/teaser" || component == "category/posts";
    };
    for_each_element_if(page.bytes(), "div", teaser_box, [&](std::string_view, std::string_view teaser) {
        for (std::size_t open = teaser.find('<'); open != std::string_view::npos; open = teaser.find('<', open + 1)) {
            const std::string_view tag = tag_at(teaser, open);
            if (has_class(tag, "timeago")) newest.take_iso(attribute(tag, "title"));
        }
        read_last_post_cell(teaser, newest);
    });
    return newest.newest();
}

// The body's class names the template (page-categories, page-category, page-topic), as does the
// embedded data's "template". A category's topics stand in <ul component="category">, its
// sub-categories above; topic pages' "suggested topics" use the categories' number markup.
PageShape page_kind(std::string_view page) {
    const std::string_view body = first_start_tag(page, "body");
    const auto is = [&](std::string_view name) {
        return has_class(body, "page-" + std::string(name)) ||
               page.find("\"template\":{\"name\":\"" + std::string(name) + "\"") != std::string_view::npos;
    };
    if (is("topic")) return {PageKind::TopicPage};
    if (is("category")) return {PageKind::ForumPage, page.find("component=\"category\"")};
    if (is("categories")) return {PageKind::BoardIndex};
    return {};
}

// The category list ("/categories"), else the breadcrumb's first link.
std::string_view board_index_link(std::string_view page) {
    const std::string_view link = href_ending_with(page, "/categories");
    return link.empty() ? first_href_behind(page, "class=\"breadcrumb\"") : link;
}

}  // namespace

const ForumEngine forum_engine::nodebb = {"nodebb", "NodeBB", recognises, count, newest_post, page_kind, board_index_link};
