#include "analysis/forum_engines/forum_page.h"

#include "analysis/forum_engines/forum_engines.h"
#include "analysis/forum_engines/last_post_readers.h"

#include <array>

namespace {

// Verified engines first; a template-only reader never gets a page a verified one could read.
constexpr auto kReaders = std::to_array<ForumPageReader>({
    read_phpbb3, read_xenforo2,  read_xenforo1, read_vbulletin4, read_vbulletin3, read_invision4,
    read_ipboard3, read_mybb, read_smf1, read_discuzx, read_smf21, read_fluxbb, read_punbb,
    read_vbulletin5, read_vanilla, read_nodebb, read_discourse,
});

}  // namespace

std::span<const ForumPageReader> forum_engine_readers() { return kReaders; }

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
    for (ForumPageReader reader : kReaders) {
        ForumFigures figures = reader(page);
        if (figures.numbers == 0) continue;
        if (download_time) figures.newest_post = newest_post_reader(figures.engine)(page, *download_time);
        return figures;
    }
    return classic.figures;
}
