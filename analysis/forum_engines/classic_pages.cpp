#include "analysis/forum_engines/classic_pages.h"

#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/phpbb_addresses.h"
#include "analysis/forum_engines/row2_dates.h"
#include "analysis/html_markup.h"

#include <string>

Row2Reading read_row2_page(const PageLines& page, std::optional<std::int64_t> download_time) {
    std::optional<Row2Dates> dates;
    if (download_time) dates.emplace(page, *download_time);
    Row2Reading reading =
        read_row2_lines(page, dates ? [&](std::size_t line) { dates->read_line(line); } : std::function<void(std::size_t)>());
    if (dates) reading.figures.newest_post = dates->newest_day();
    return reading;
}

ForumFigures classic_page_figures(const PageLines& page, ForumFigures classic, std::optional<std::int64_t> download_time,
                                  const ForumEngine* engine) {
    const std::string_view text = page.bytes();
    // phpBB 2 has no record; its addresses tell its pages.
    const PageShape shape = engine ? engine->page_kind(text) : phpbb_page_kind_by_addresses(text);
    if (shape.kind != PageKind::TopicPage && shape.kind != PageKind::ForumPage) return classic;
    ForumFigures figures;
    if (shape.kind == PageKind::ForumPage) {
        const PageLines forums =
            shape.topic_list < text.size() ? PageLines(std::string(text.substr(0, shape.topic_list))) : page;
        figures = read_row2_page(forums, download_time).figures;
    }
    figures.engine = engine ? engine->name : "phpBB 2";
    figures.engine_id = engine ? engine->id : "phpbb2";
    figures.page_kind = shape.kind;
    figures.board_index_link =
        decode_character_references(engine ? engine->board_index_link(text) : phpbb_index_link(text));
    return figures;
}
