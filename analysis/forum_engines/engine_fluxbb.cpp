#include "analysis/forum_engines/engine_counting.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

namespace {

// Every page's <div id="punindex" class="pun"> (the name of each page follows "pun").
bool recognises(std::string_view page) { return holds_any(page, {"class=\"pun\"", "id=\"punindex\""}); }

// The index's forum rows: <td class="tc2">topics</td><td class="tc3">posts</td>, as FluxBB writes
// them and PunBB did up to 1.2, from which it grew.
void count(const PageLines& page, PostCounter& counter) {
    count_element_numbers(page.bytes(), "td", "tc2", counter);
    count_element_numbers(page.bytes(), "td", "tc3", counter);
}

// <td class="tcr"><a href="viewtopic.php?pid=N#pN">2018-03-10 16:11:00</a> <span class="byuser">...:
// the time as the link's text, year first, or "Today 16:11:00".
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "td", "tcr", download_time, NumericDates::YearMonthDay, true);
}

// The page's name follows "pun": <div id="punindex|punviewforum|punviewtopic" class="pun">.
// Topic rows use the forum rows' tc2/tc3 cells, so a forum page counts only above its <div id="vf">.
PageShape page_kind(std::string_view page) {
    if (holds_any(page, {"id=\"punviewtopic\""})) return {PageKind::TopicPage};
    if (const std::size_t forum = page.find("id=\"punviewforum\""); forum != std::string_view::npos) {
        const std::size_t topics = page.find("id=\"vf\"");
        return {PageKind::ForumPage, topics == std::string_view::npos ? forum : topics};
    }
    if (holds_any(page, {"id=\"punindex\""})) return {PageKind::BoardIndex};
    return {};
}

// The menu's <li id="navindex"><a href="index.php">Index</a>, else the breadcrumb's first link.
std::string_view board_index_link(std::string_view page) {
    const std::string_view link = first_href_behind(page, "id=\"navindex\"");
    return link.empty() ? first_href_behind(page, "class=\"crumbs\"") : link;
}

}  // namespace

const ForumEngine forum_engine::fluxbb = {"fluxbb", "FluxBB / PunBB 1.2", recognises, count, newest_post, page_kind, board_index_link};
