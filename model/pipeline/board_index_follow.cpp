#include "model/app/Downloaddemo_U.h"

#include "analysis/forum_engines/forum_page.h"
#include "analysis/no_figures_reason.h"
#include "analysis/web_url.h"
#include "model/pipeline/row_texts.h"

std::optional<NoFiguresReason> TForm1::follow_board_index(int row, const ForumFigures& figures) {
    if (!rate_board_index.checked() || !read_current_engines.checked()) return std::nullopt;
    const bool topic = figures.page_kind == PageKind::TopicPage;
    if (!topic && !(figures.page_kind == PageKind::ForumPage && figures.numbers == 0)) return std::nullopt;
    const ReasonKind kind = topic ? ReasonKind::TopicPage : ReasonKind::ForumPage;
    const QueueRow values = google_list.item(row).facts.queue;
    // A board index that is no board index leads nowhere new: following it again and again
    // could grow the queue by a row per download.
    if (values.origin == RowOrigin::BoardIndex) return no_figures_reason(kind, "reached as a board index; not followed");
    // The link as the page means it: against its <base href> and the address that served it,
    // and on the served site.
    const auto link = resolve_url(values.link_base, figures.board_index_link);
    const std::string index = link && !figures.board_index_link.empty() ? board_index_url(values.served_url, link->url) : "";
    if (index.empty()) return std::nullopt;
    const std::string& url = google_list.item(row).caption;
    // The duplicate rule of collected links, one way only: every topic address of a board that
    // keeps its topics below its index's path holds the index's address, and is no index itself.
    bool listed = false;
    for (int r = 0; r < google_list.item_count() && !listed; ++r) {
        const std::string& caption = google_list.item(r).caption;
        listed = caption != url && !caption.empty() && index.find(caption) != std::string::npos;
    }
    if (!listed) {
        const QueueRow added{.state = RowState::Download, .origin = RowOrigin::BoardIndex, .origin_row = row, .depth = values.depth + 1};
        google_list.add_row(queue_item(index, google_list.sub_item(row, queue_column::Description), added));
    }
    const std::string outcome = listed ? "its board index was already listed" : "its board index was added";
    memo1.add_line(std::string(topic ? "Topic" : "Forum") + " page of " + figures.engine + "; its board index " + index +
                   (listed ? " was already listed" : " was added"));
    return no_figures_reason(kind, outcome);
}
