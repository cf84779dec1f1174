#include "analysis/forum_engines/age_in_words.h"
#include "analysis/forum_engines/engine_counting.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

namespace {

// Kunena (a Joomla component) wraps its pages in <div id="kunena">; its sections are
// <div class="kfrontend ...">.
bool recognises(std::string_view page) { return holds_any(page, {"id=\"kunena\"", "class=\"kfrontend"}); }

bool is_category_count(std::string_view tag) { return attribute(tag, "id") == "kcatcount"; }

// Kunena 5 and 6 show a category's topics only, beside its name: <span id="kcatcount">12
// Topics</span> (the same id on every row); a sub-category's "(5)" in brackets is part of its
// parent's. The older Blue Eagle template writes <span class="kcat-topics-number">12</span> and
// <span class="kcat-replies-number">34</span>.
void count(const PageLines& page, PostCounter& counter) {
    const std::string_view text = page.bytes();
    for_each_element_if(text, "span", is_category_count,
                        [&](std::string_view, std::string_view cell) { count_cell_numbers(cell, counter); });
    count_element_numbers(text, "span", "kcat-topics-number", counter);
    count_element_numbers(text, "span", "kcat-replies-number", counter);
}

// The last post's <span class="datepost"> (Blue Eagle: "klatest-post-info"): by default its age
// in words ("2 Days 5 Hours ago"), else the date in the board's format, perhaps with the exact
// time in a title.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::None);
    const auto read = [&](std::string_view, std::string_view cell) {
        if (cell.find('<') != std::string_view::npos || !take_age_in_words(cell, download_time, newest))
            read_last_post_cell(cell, newest);
    };
    for_each_element(page.bytes(), "span", "datepost", read);
    for_each_element(page.bytes(), "span", "klatest-post-info", read);
    return newest.newest();
}

// Joomla's templates name the view on the body ("view-topic", "view-category layout-list" for the
// category index, "view-category" for one category, whose topics follow its sub-categories in the
// form "ktopicsform"). Written from the templates, not checked against served pages.
PageShape page_kind(std::string_view page) {
    const std::string_view body = first_start_tag(page, "body");
    if (has_class(body, "view-topic")) return {PageKind::TopicPage};
    if (has_class(body, "view-category"))
        return has_class(body, "layout-list") ? PageShape{PageKind::BoardIndex}
                                              : PageShape{PageKind::ForumPage, page.find("ktopicsform")};
    return {};
}

// The first link of Kunena's own breadcrumb (inside its <div id="kunena">), the forum's index;
// the site's breadcrumb before it starts at the site's home.
std::string_view board_index_link(std::string_view page) {
    const std::size_t kunena = page.find("id=\"kunena\"");
    return kunena == std::string_view::npos ? std::string_view() : first_href_behind(page.substr(kunena), "breadcrumb");
}

}  // namespace

const ForumEngine forum_engine::kunena = {"kunena", "Kunena", recognises, count, newest_post, page_kind, board_index_link};
