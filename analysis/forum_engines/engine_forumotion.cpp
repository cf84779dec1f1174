#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/engine_counting.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

#include <algorithm>

namespace {

constexpr auto npos = std::string_view::npos;

// Forumotion is hosted: whatever layout a board chose (phpBB2-, phpBB3-, PunBB- or Invision-like,
// and their successors), its pages load the service's scripts from illiweb.com and set the
// visitor's data in a script (_userdata).
bool recognises(std::string_view page) { return holds_any(page, {"illiweb.com", "var _userdata"}); }

// Whether href's path is one of Forumotion's forum addresses, /f12-name (topics are /t34-name,
// categories /c5-name), written from the root or with the board's host.
bool is_forum_address(std::string_view href) {
    if (href.starts_with("http")) {
        const std::size_t host = href.find("//");
        href = host == npos ? std::string_view() : href.substr(std::min(href.size(), href.find('/', host + 2)));
    }
    if (!href.starts_with("/f")) return false;
    const std::size_t digits_end = href.find_first_not_of("0123456789", 2);
    return digits_end > 2 && digits_end != npos && href[digits_end] == '-';
}

bool links_forum(std::string_view row) {
    for (std::size_t pos = find_start_tag(row, "a", 0); pos != npos; pos = find_start_tag(row, "a", pos + 1))
        if (is_forum_address(attribute(tag_at(row, pos), "href"))) return true;
    return false;
}

// Calls visit(row) for each table row that lists a forum: it links one and holds no rows itself
// (a layout's outer table wraps whole categories in one row).
template <typename Visit>
void for_each_forum_row(std::string_view page, Visit visit) {
    for_each_element(page, "tr", "", [&](std::string_view, std::string_view row) {
        if (row.find("<tr") == npos && links_forum(row)) visit(row);
    });
}

// The phpBB3-like layouts write <dd class="topics">12 <dfn>Topics</dfn></dd> and "posts"; the
// PunBB-like one <td class="tc2">12</td><td class="tc3">34</td>; the phpBB2- and Invision-like
// tables give each count a cell of its own in the forum's row, the number alone in it.
void count(const PageLines& page, PostCounter& counter) {
    const std::string_view text = page.bytes();
    // Other engines write the same classes.
    if (!recognises(text)) return;
    for (const char* column : {"topics", "posts"})
        for_each_element(text, "dd", column, [&](std::string_view, std::string_view cell) {
            if (const auto value = parse_board_number(leading_text(cell))) counter.add(*value);
        });
    count_element_numbers(text, "td", "tc2", counter);
    count_element_numbers(text, "td", "tc3", counter);
    if (counter.count() > 0) return;
    for_each_forum_row(text, [&](std::string_view row) {
        for_each_element(row, "td", "", [&](std::string_view, std::string_view cell) {
            std::size_t runs = 0;
            std::string_view only;
            for_each_text_run(cell, [&](std::string_view run) { only = ++runs == 1 ? run : std::string_view(); });
            if (const auto value = parse_board_number(only)) counter.add(*value);
        });
    });
}

// The last post: <dd class="lastpost"> (phpBB3-like), <td class="tcr"> (PunBB-like), the forum
// row's last cell in the tables: "Today at 10:23", "Mon 19 Mar 2018 - 14:10" by default.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::None);
    const std::string_view text = page.bytes();
    const auto read = [&](std::string_view, std::string_view cell) { read_last_post_cell(cell, newest); };
    for_each_element(text, "dd", "lastpost", read);
    for_each_element(text, "td", "tcr", read);
    for_each_forum_row(text, [&](std::string_view row) {
        std::string_view last;
        for_each_element(row, "td", "", [&](std::string_view, std::string_view cell) { last = cell; });
        read_last_post_cell(last, newest);
    });
    return newest.newest();
}

// Whether the page links Forumotion's posting script (/post?...) with the mode given.
bool links_posting(std::string_view page, std::string_view mode) {
    for (std::size_t at = page.find("/post?"); at != npos; at = page.find("/post?", at + 1)) {
        const std::string_view query = page.substr(at, page.find_first_of("\"' >", at) - at);
        if (query.find(mode) != npos) return true;
    }
    return false;
}

// Every layout keeps the posting links: "reply" on a topic, "new topic" on a forum, whose topic
// rows begin with their title link (class "topictitle").
PageShape page_kind(std::string_view page) {
    if (links_posting(page, "mode=reply")) return {PageKind::TopicPage};
    if (links_posting(page, "mode=newtopic")) return {PageKind::ForumPage, page.find("class=\"topictitle\"")};
    return {};
}

// The navigation's first link (class "nav"), else the forum index's address (/forum where the
// board has a home page of its own).
std::string_view board_index_link(std::string_view page) {
    const std::string_view link = href_of_anchor_holding(page, "class=\"nav\"");
    return link.empty() ? href_ending_with(page, "/forum") : link;
}

}  // namespace

const ForumEngine forum_engine::forumotion = {"forumotion", "Forumotion", recognises, count, newest_post, page_kind, board_index_link};
