#include "analysis/forum_engines/forum_page.h"

#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/row2_dates.h"

#include <array>

namespace {

#define RAVELMOOT_FORUM_ENGINE_ADDRESS(id) &forum_engine::id,
constexpr auto kEngines = std::to_array<const ForumEngine*>({RAVELMOOT_FORUM_ENGINES(RAVELMOOT_FORUM_ENGINE_ADDRESS)});
#undef RAVELMOOT_FORUM_ENGINE_ADDRESS

// The page read as engine's: its figures from counter (none when it counted nothing) and its date.
ForumFigures read_as(const ForumEngine& engine, const PostCounter& counter, const PageLines& page,
                     std::optional<std::int64_t> download_time) {
    ForumFigures figures;
    if (counter.count() > 0) {
        figures.average = counter.average_text();
        figures.max = counter.max_text();
        figures.numbers = counter.count();
    }
    figures.engine = engine.name;
    figures.engine_id = engine.id;
    if (download_time) figures.newest_post = engine.newest_post(page, *download_time);
    return figures;
}

}  // namespace

std::span<const ForumEngine* const> forum_engines() { return kEngines; }

ForumFigures read_forum_page(const PageLines& page, bool current_engines, std::optional<std::int64_t> download_time) {
    // The classic rule's dates are read in its own pass over the "row2" lines.
    std::optional<Row2Dates> row2_dates;
    if (download_time) row2_dates.emplace(page, *download_time);
    Row2Reading classic =
        read_row2_lines(page, row2_dates ? [&](std::size_t line) { row2_dates->read_line(line); }
                                         : std::function<void(std::size_t)>());
    if (row2_dates) classic.figures.newest_post = row2_dates->newest();
    // Counts in subSilver's own "row2" cells make a classic page; no current engine writes
    // them, and the readers would cost a pass each over what may be a very large page.
    if (!current_engines || (classic.figures.numbers > 0 && !classic.inside_other_class)) return classic.figures;
    for (const ForumEngine* engine : kEngines) {
        PostCounter counter;
        engine->count(page, counter);
        if (counter.count() > 0) return read_as(*engine, counter, page, download_time);
    }
    // What the classic rule counted stands where no engine could count; otherwise the page's own
    // marks still tell its engine, whose last-post cells give the date.
    if (classic.figures.numbers > 0) return classic.figures;
    for (const ForumEngine* engine : kEngines)
        if (engine->recognises(page.bytes())) return read_as(*engine, PostCounter(), page, download_time);
    return classic.figures;
}
