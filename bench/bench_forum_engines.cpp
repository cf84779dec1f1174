// The engine readers on pages the classic rule finds nothing on, so that every reader runs:
// a large current-engine index (the real prosilver page's forum rows repeated), the index of an
// engine without a record (read by its structure after every record), and pages of cells left
// open, which must stay linear in the page size.

#include "analysis/forum_engines/forum_page.h"
#include "tests/support/real_pages.h"

#include <benchmark/benchmark.h>

namespace {

std::string repeated(const std::string& piece, std::size_t bytes) {
    std::string page;
    page.reserve(bytes + piece.size());
    while (page.size() < bytes) page += piece;
    return page;
}

void run(benchmark::State& state, const std::string& page) {
    const PageLines lines(page);
    for (auto _ : state) benchmark::DoNotOptimize(read_forum_page(lines, true));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(page.size()));
}

void prosilver_index(benchmark::State& state) {
    const std::string real = read_real_page("phpbb3-prosilver-fightbb-2018.html");
    if (real.empty()) {
        state.SkipWithError("real pages not present");
        return;
    }
    run(state, repeated(real, static_cast<std::size_t>(state.range(0)) << 20));
}

void unknown_engine_index(benchmark::State& state) {
    const std::string real = read_real_page("vbulletin2-graffe.excerpt.html");
    if (real.empty()) {
        state.SkipWithError("real pages not present");
        return;
    }
    run(state, repeated(real, static_cast<std::size_t>(state.range(0)) << 20));
}

void open_cells(benchmark::State& state) {
    run(state, repeated("<td class=\"tc2\"><td class=\"trow1\" style=\"white-space: nowrap\">x", static_cast<std::size_t>(state.range(0)) << 20));
}

}  // namespace

BENCHMARK(prosilver_index)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(unknown_engine_index)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(open_cells)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);
