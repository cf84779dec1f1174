#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/phpbb_addresses.h"
#include "analysis/html_markup.h"

namespace {

// prosilver and the styles built on it: <body id="phpbb">, the index's <ul class="topiclist
// forums"> and each forum's <a class="forumtitle">; any other style by phpBB 3's own addresses.
bool recognises(std::string_view page) {
    return holds_any(page, {"<body id=\"phpbb\"", "topiclist forums", "class=\"forumtitle\""}) ||
           links_phpbb3_scripts(page);
}

// <dd class="topics">145 <dfn>Topics</dfn></dd> and the same with "posts" per forum, in a row
// whose title is <a class="forumtitle">. Indexes that also list announcements or recent topics
// write their rows with the same columns under a "topictitle" anchor; those replies are no
// forum's counts. The column captions use the same classes without a number. The <a> and <dd>
// tags are read in page order, each once.
void count(const PageLines& page, PostCounter& counter) {
    constexpr auto npos = std::string_view::npos;
    const std::string_view text = page.bytes();
    bool forum_row = true;
    std::size_t anchor = find_start_tag(text, "a", 0);
    for (std::size_t pos = find_start_tag(text, "dd", 0); pos != npos; pos = find_start_tag(text, "dd", pos + 1)) {
        // The row is the one of the last title anchor in front of this cell.
        for (; anchor != npos && anchor < pos; anchor = find_start_tag(text, "a", anchor + 1)) {
            const std::string_view title = tag_at(text, anchor);
            if (has_class(title, "forumtitle")) forum_row = true;
            else if (has_class(title, "topictitle")) forum_row = false;
        }
        const std::string_view tag = tag_at(text, pos);
        if (!forum_row || !(has_class(tag, "topics") || has_class(tag, "posts"))) continue;
        const std::string_view content = element_content(text, pos, "dd");
        const std::string_view number = leading_text(content);
        if (!content.substr(number.size()).starts_with("<dfn>")) continue;
        if (const auto value = parse_board_number(number)) counter.add(*value);
    }
}

// <dd class="lastpost"><span>... by <a>name</a> <br />20 Mar 2018, 09:24</span></dd>; 3.3 writes
// the time as <time datetime="...">. The column caption is a lastpost dd too, dateless.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "dd", "lastpost", download_time, NumericDates::None);
}

// prosilver names the script in the body's class: section-index, section-viewforum,
// section-viewtopic (3.0 to 3.3). Styles without it (subsilver2, custom themes) are told by the
// posting links every style keeps.
PageShape page_kind(std::string_view page) {
    const std::string_view body = first_start_tag(page, "body");
    if (has_class(body, "section-viewtopic")) return {PageKind::TopicPage};
    if (has_class(body, "section-viewforum")) return {PageKind::ForumPage, page.find("topiclist topics")};
    if (has_class(body, "section-index")) return {PageKind::BoardIndex};
    return phpbb_page_kind_by_addresses(page);
}

// The breadcrumb's "Board index" link: data-navbar-reference="index" from 3.1 on, accesskey="h" in
// 3.0 and after, else the first link to ./index.php. The crumb before it, where a board sets one,
// is the site's home, not the board.
std::string_view board_index_link(std::string_view page) {
    for (std::string_view mark : {"data-navbar-reference=\"index\"", "accesskey=\"h\""})
        if (const std::string_view link = href_of_anchor_holding(page, mark); !link.empty()) return link;
    return phpbb_index_link(page);
}

}  // namespace

const ForumEngine forum_engine::phpbb3 = {"phpbb3", "phpBB 3", recognises, count, newest_post, page_kind, board_index_link};
