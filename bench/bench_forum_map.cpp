// One update of the forum map over 10,000 rated forums against one over 1,000, side by side in
// one run: what the map does after the results list changed (read the rated rows, lay out their
// points) and the repaint that follows, drawn into an image of a large window's pane. Targets:
// the update over 10,000 rows within 50 ms of CPU time (no stall a person sees while a research
// adds rows), and a ratio of at most 15 (linear in the rows). CPU time decides: the machine is
// shared, and the update is single-threaded work.
//
// The results look like a long research's: most rows rated, dates spread over five years, one
// in ten without a date, one in ten with no figures (Fatal).
//
// Usage: bench_forum_map [Google Benchmark flags]; the verdict is printed at the end.

#include "model/app/controls/list_view.h"
#include "model/app/list_layouts.h"
#include "gui/forum_map.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <map>
#include <string>

namespace {

void fill_results(ListView& results, int rows) {
    for (const ListColumn& column : list_layout::results_forum_stage) results.add_column(column.caption, column.width);
    for (int r = 0; r < rows; ++r) {
        const std::string url = "http://forum" + std::to_string(r) + ".example/index.php";
        if (r % 10 == 9) {
            results.add_item({url, {"Forum " + std::to_string(r), "Fatal"}});
            continue;
        }
        const int average = (r * 7919) % 50000;
        const int day = 1 + (r * 31) % 28;
        const std::string date = r % 10 == 4 ? "" : std::to_string(2021 + r % 5) + "-0" + std::to_string(1 + r % 9) + "-" +
                                                        (day < 10 ? "0" : "") + std::to_string(day);
        results.add_item({url, {"Forum " + std::to_string(r), "Good", std::to_string(average),
                                std::to_string(average * 3 + r % 100), date}});
    }
}

void BM_MapUpdate(benchmark::State& state) {
    ListView results;
    fill_results(results, static_cast<int>(state.range(0)));
    ForumMap map(results, [](const std::function<void()>& action) { action(); }, nullptr);
    map.resize(700, 420);
    QImage picture(map.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        map.refresh();
        QPainter painter(&picture);
        map.draw(painter);
    }
    state.counters["points"] = static_cast<double>(map.points().size());
}
BENCHMARK(BM_MapUpdate)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Keeps each size's time per update (the median with --benchmark_repetitions) for the verdict.
class VerdictReporter : public benchmark::ConsoleReporter {
public:
    VerdictReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || (run.run_type == Run::RT_Iteration && !medians_seen_))
                per_update[run.run_name.str()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
            medians_seen_ = medians_seen_ || median;
        }
    }
    struct Cost {
        double real;  // milliseconds
        double cpu;
    };
    std::map<std::string, Cost> per_update;

private:
    bool medians_seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    VerdictReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto small = reporter.per_update.find("BM_MapUpdate/1000");
    const auto large = reporter.per_update.find("BM_MapUpdate/10000");
    if (small == reporter.per_update.end() || large == reporter.per_update.end()) return 0;
    const double ratio = large->second.cpu / small->second.cpu;
    const bool met = large->second.cpu <= 50 && ratio <= 15;
    std::printf("map update over 10,000 rows: %.1f ms CPU, %.1f ms wall (target <= 50 ms CPU); "
                "10,000 / 1,000 rows = %.2f CPU time (target <= 15) %s\n",
                large->second.cpu, large->second.real, ratio, met ? "met" : "MISSED");
    return met ? 0 : 1;
}
