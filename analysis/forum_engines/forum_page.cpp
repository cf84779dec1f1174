#include "analysis/forum_engines/forum_page.h"

#include "analysis/forum_engines/classic_pages.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/forum_list_reader.h"
#include "analysis/forum_engines/row2_dates.h"
#include "analysis/html_markup.h"
#include "analysis/web_url.h"

#include <array>
#include <utility>

namespace {

#define RAVELMOOT_FORUM_ENGINE_ADDRESS(id) &forum_engine::id,
constexpr auto kEngines = std::to_array<const ForumEngine*>({RAVELMOOT_FORUM_ENGINES(RAVELMOOT_FORUM_ENGINE_ADDRESS)});
#undef RAVELMOOT_FORUM_ENGINE_ADDRESS

// The page read as engine's: its figures from counter (none when it counted nothing), its date
// from read, the part of the page that was counted (none on a topic page), its kind and the board
// index link of the whole page.
ForumFigures read_as(const ForumEngine& engine, const PostCounter& counter, const PageLines& read,
                     std::optional<std::int64_t> download_time, PageKind kind, std::string_view whole) {
    ForumFigures figures;
    counter.fill(figures);
    figures.engine = engine.name;
    figures.engine_id = engine.id;
    // An engine hands its date over as "YYYY-MM-DD" text, empty for none.
    if (download_time && kind != PageKind::TopicPage) figures.newest_post = parse_iso_day(engine.newest_post(read, *download_time));
    figures.page_kind = kind;
    if (kind != PageKind::Other)
        figures.board_index_link = decode_character_references(engine.board_index_link(whole));
    return figures;
}

const ForumEngine* first_recognising(std::string_view text) {
    for (const ForumEngine* engine : kEngines)
        if (engine->recognises(text)) return engine;
    return nullptr;
}

}  // namespace

std::span<const ForumEngine* const> forum_engines() { return kEngines; }

ForumFigures read_forum_page(const PageLines& page, bool current_engines, std::optional<std::int64_t> download_time) {
    const Row2Reading classic = read_row2_page(page, download_time);
    if (!current_engines) return classic.figures;
    // Counts in subSilver's own "row2" cells make a classic page, read by its kind where a record's
    // marks or phpBB's addresses tell it; the readers would cost a pass each over what may be a very
    // large page.
    if (classic.figures.numbers > 0 && !classic.inside_other_class)
        return classic_page_figures(page, classic.figures, download_time, first_recognising(page.bytes()));
    const std::string_view text = page.bytes();
    // The first engine whose marks the page carries, and its kind: the page's engine where none counts.
    const ForumEngine* recognised = nullptr;
    PageKind recognised_kind = PageKind::Other;
    for (const ForumEngine* engine : kEngines) {
        // Only the engine whose page it is tells its kind: other engines' marks mean other things.
        const bool marked = engine->recognises(text);
        const PageShape shape = marked ? engine->page_kind(text) : PageShape();
        if (marked && !recognised) {
            recognised = engine;
            recognised_kind = shape.kind;
        }
        PostCounter counter;
        if (shape.kind == PageKind::TopicPage) return read_as(*engine, counter, page, download_time, shape.kind, text);
        if (shape.kind == PageKind::ForumPage) {
            // The sub-forum rows above the topic list, and their last posts, are the page's figures.
            const PageLines forums =
                shape.topic_list < text.size() ? PageLines(std::string(text.substr(0, shape.topic_list))) : page;
            engine->count(forums, counter);
            return read_as(*engine, counter, forums, download_time, shape.kind, text);
        }
        engine->count(page, counter);
        if (counter.count() > 0) return read_as(*engine, counter, page, download_time, shape.kind, text);
    }
    // What the classic rule counted stands where no engine could count; then a list of forums
    // read by its structure alone; otherwise the page's own marks still tell its engine, whose
    // last-post cells give the date.
    if (classic.figures.numbers > 0) return classic_page_figures(page, classic.figures, download_time, recognised);
    if (auto list = read_forum_list(page, download_time)) return *std::move(list);
    if (!recognised) return classic_page_figures(page, classic.figures, download_time, nullptr);
    return read_as(*recognised, PostCounter(), page, download_time, recognised_kind, text);
}

std::string board_index_url(std::string_view page_url, std::string_view link) {
    if (link.empty()) return {};
    const auto page = resolve_url(page_url, page_url);
    const auto index = resolve_url(page_url, link);
    if (!page || !index || !page->is_web() || !index->is_web() || index->user_info) return {};
    if (index->host != page->host || index->url == page->url) return {};
    return index->url;
}
