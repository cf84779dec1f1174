#include "model/app/Downloaddemo_U.h"

#include "analysis/forum_engines/forum_page.h"
#include "analysis/no_figures_reason.h"

std::optional<NoFiguresReason> TForm1::follow_board_index(const std::string& url, const std::string& description,
                                                      const ForumFigures& figures) {
    if (!rate_board_index.checked() || !read_current_engines.checked()) return std::nullopt;
    const bool topic = figures.page_kind == PageKind::TopicPage;
    if (!topic && !(figures.page_kind == PageKind::ForumPage && figures.numbers == 0)) return std::nullopt;
    const std::string index = board_index_url(url, figures.board_index_link);
    if (index.empty()) return std::nullopt;
    // The duplicate rule of collected links, one way only: every topic address of a board that
    // keeps its topics below its index's path holds the index's address, and is no index itself.
    bool listed = false;
    for (int r = 0; r < google_list.item_count() && !listed; ++r) {
        const std::string& caption = google_list.item(r).caption;
        listed = caption != url && !caption.empty() && index.find(caption) != std::string::npos;
    }
    if (!listed) google_list.add_item(ListItem{index, {description, "", "0", row_state::Download}});
    const std::string outcome = listed ? "its board index was already listed" : "its board index was added";
    memo1.add_line(std::string(topic ? "Topic" : "Forum") + " page of " + figures.engine + "; its board index " + index +
                   (listed ? " was already listed" : " was added"));
    return no_figures_reason(topic ? ReasonKind::TopicPage : ReasonKind::ForumPage, outcome);
}
