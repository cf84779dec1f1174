#include "analysis/forum_engines/age_in_words.h"
#include "analysis/forum_engines/engine_counting.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

namespace {

// Every bbPress page wraps its content in <div id="bbpress-forums">; forum lists are <ul class="bbp-forums">.
bool recognises(std::string_view page) { return holds_any(page, {"id=\"bbpress-forums\"", "class=\"bbp-forums\""}); }

// Each forum's <ul class="forum ..."> holds <li class="bbp-forum-topic-count">12</li> and
// <li class="bbp-forum-reply-count">34</li> (posts, or replies where the lead topic is shown
// apart); the header row has the same classes with their captions.
void count(const PageLines& page, PostCounter& counter) {
    count_element_numbers(page.bytes(), "li", "bbp-forum-topic-count", counter);
    count_element_numbers(page.bytes(), "li", "bbp-forum-reply-count", counter);
}

// <li class="bbp-forum-freshness"><a href=".../topic/x/#post-9" title="Subject">1 week, 2 days ago</a>:
// the age in words is all the page tells of the time.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::None);
    for_each_element(page.bytes(), "li", "bbp-forum-freshness", [&](std::string_view, std::string_view cell) {
        for_each_element(cell, "a", "", [&](std::string_view, std::string_view link) {
            take_age_in_words(link, download_time, newest);
        });
    });
    return newest.newest();
}

// A topic's posts stand in <ul class="... bbp-replies">, a forum's topics in <ul class="bbp-topics">
// (its sub-forums' bbp-forums above), the forum index holds bbp-forums alone.
PageShape page_kind(std::string_view page) {
    if (find_element_with_class(page, "ul", "bbp-replies") != std::string_view::npos) return {PageKind::TopicPage};
    if (const std::size_t topics = find_element_with_class(page, "ul", "bbp-topics"); topics != std::string_view::npos)
        return {PageKind::ForumPage, topics};
    if (find_element_with_class(page, "ul", "bbp-forums") != std::string_view::npos) return {PageKind::BoardIndex};
    return {};
}

// The breadcrumb's root, the forum index (<a class="bbp-breadcrumb-root">); the crumb before it
// is the site's home.
std::string_view board_index_link(std::string_view page) { return href_of_anchor_holding(page, "bbp-breadcrumb-root"); }

}  // namespace

const ForumEngine forum_engine::bbpress = {"bbpress", "bbPress", recognises, count, newest_post, page_kind, board_index_link};
