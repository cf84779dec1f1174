#include "analysis/forum_engines/engine_counting.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

namespace {

// PunBB 1.3 and 1.4: <div id="brd-wrap" class="brd">, the index's <div id="brd-index">.
bool recognises(std::string_view page) { return holds_any(page, {"id=\"brd-wrap\"", "id=\"brd-index\""}); }

// Each forum's <ul class="item-info"> holds <li class="info-topics"> and <li class="info-posts">,
// the count in <strong> beside a translated label.
void count(const PageLines& page, PostCounter& counter) {
    for (const char* column : {"info-topics", "info-posts"})
        for_each_element(page.bytes(), "li", column,
                         [&](std::string_view, std::string_view item) { count_cell_numbers(item, counter); });
}

// <li class="info-lastpost"><strong><a href="...">2018-03-10 16:11:00</a></strong> <cite>by ...</cite>
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    return newest_in_elements(page.bytes(), "li", "info-lastpost", download_time, NumericDates::YearMonthDay, true);
}

// <div id="brd-index|brd-viewforum|brd-viewtopic" ...>; topic rows' replies and views are
// info-replies and info-views, never counted.
PageShape page_kind(std::string_view page) {
    if (holds_any(page, {"id=\"brd-viewtopic\""})) return {PageKind::TopicPage};
    if (holds_any(page, {"id=\"brd-viewforum\""})) return {PageKind::ForumPage};
    if (holds_any(page, {"id=\"brd-index\""})) return {PageKind::BoardIndex};
    return {};
}

// The menu's <li id="navindex">, else the breadcrumb's <span class="crumb crumbfirst">.
std::string_view board_index_link(std::string_view page) {
    const std::string_view link = first_href_behind(page, "id=\"navindex\"");
    return link.empty() ? first_href_behind(page, "crumbfirst") : link;
}

}  // namespace

const ForumEngine forum_engine::punbb = {"punbb", "PunBB", recognises, count, newest_post, page_kind, board_index_link};
