#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/forum_engines/smf_board_counts.h"
#include "analysis/html_markup.h"

namespace {

// SMF 1.1 and 2.0; 2.1 has a record of its own.
bool recognises(std::string_view page) { return is_smf_page(page) && !is_smf21_page(page); }

// SMF's own classes for the cells of its board index.
bool is_board_cell(std::string_view tag) {
    const std::string_view classes = attribute(tag, "class");
    return classes.find("windowbg") != std::string_view::npos || has_class(tag, "stats");
}

// The board's counts stand in a "windowbg" cell (2.0: also "stats") as posts, <br />, topics,
// labels after the numbers; some themes give each its own cell.
void count(const PageLines& page, PostCounter& counter) {
    const std::string_view text = page.bytes();
    if (!is_smf_page(text)) return;
    for_each_element_if(text, "td", is_board_cell, [&](std::string_view, std::string_view cell) {
        for (std::int32_t value : smf_board_counts(cell, SmfCountHolder::Cell)) counter.add(value);
    });
}

// SMF 1.1 writes "Last post by <a>name</a> in <a href="...?topic=N.msgM#new">subject</a> on March 20,
// 2018, 01:07 PM" (or "on <b>Today</b> at ...") into a <td class="windowbg2">, where only the link
// to the message's anchor tells it from the board's name cell; SMF 2.0 writes the same text into
// <td class="lastpost">.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::None);
    const auto last_post_cell = [](std::string_view tag) { return has_class(tag, "lastpost") || has_class(tag, "windowbg2"); };
    for_each_element_if(page.bytes(), "td", last_post_cell, [&](std::string_view tag, std::string_view cell) {
        if (has_class(tag, "lastpost") ||
            (cell.find(".msg") != std::string_view::npos && cell.find("#new") != std::string_view::npos))
            read_last_post_cell(cell, newest);
    });
    return newest.newest();
}

// The link tree's first link: 2.0's <div class="navigate_section">, 1.1's <a class="nav">.
std::string_view board_index_link(std::string_view page) {
    const std::string_view link = first_href_behind(page, "class=\"navigate_section\"");
    return link.empty() ? href_of_anchor_holding(page, "class=\"nav\"") : link;
}

}  // namespace

const ForumEngine forum_engine::smf1 = {"smf1", "SMF 1.1 / 2.0", recognises, count, newest_post, smf_page_kind, board_index_link};
