// One scheduler tick over a queue of 10,000 rows against one over 1,000 rows, side by side in
// one run; the target is a ratio of at most 15 (the tick must stay linear in the queue).
//
// The queue looks like a forum stage well under way: most rows "Finished", "Redownload" with
// starts left or out of starts, 15 downloads in flight (parallel limit 25) and the few rows still
// new at the very end. So each tick walks the whole queue, asks "is any row new?" for every row,
// looks every row up among the running downloads and starts the ten new rows at the bottom.
// A second shape has no new row left: the advanced rule, with the rows that can start at the end.
// The component only records its starts: no network. Between ticks (untimed) the queue is put
// back as it was, so every timed tick does the same work.
//
// Usage: bench_scheduler [Google Benchmark flags]; the ratios are printed at the end.

#include "model/app/Downloaddemo_U.h"
#include "tests/support/form_fixture.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kParallel = 25;
constexpr int kAttemptsLimit = 5;
constexpr int kInFlight = 15;
constexpr int kTail = 10;  // rows at the end that the tick starts

struct TickScene {
    FormFixture f;
    std::vector<int> tail_rows;
    std::vector<ListItem> tail_items;  // their state before the tick

    TickScene(int rows, bool new_rows_at_end) {
        TForm1& form = *f.form;
        form.pipeline.research_stage = "Popular Site";
        form.pipeline.parallel_limit = kParallel;
        form.pipeline.attempts_limit = kAttemptsLimit;
        form.download_list.clear();
        for (int r = 0; r < rows; ++r) {
            const std::string url = "http://forum" + std::to_string(r) + ".example/index.php";
            if (r >= rows - kTail) {
                tail_rows.push_back(r);
                if (new_rows_at_end)
                    f.add_queue_row(url, "0", r % 2 ? "Download" : "");  // an empty Result reads as "Download"
                else
                    f.add_queue_row(url, "2", "Redownload");
                continue;
            }
            switch (r % 4) {
                case 0: f.add_queue_row(url, "1", "Finished"); break;
                case 1:
                    // Without new rows every unlisted one with starts left would start at once.
                    f.add_queue_row(url, new_rows_at_end || r < 4 * kInFlight ? "2" : "5", "Redownload");
                    break;
                case 2: f.add_queue_row(url, "5", "Redownload"); break;  // out of starts
                default: f.add_queue_row(url, "3", "Finished"); break;
            }
        }
        // Downloads in flight: "Redownload" rows with starts left, listed in another letter case.
        for (int r = 1; form.download_list.count() < kInFlight; r += 4) {
            std::string url = form.google_list.item(r).caption;
            url[0] = 'H';
            form.download_list.add_line(url);
            form.google_list.set_sub_item(r, queue_column::Status, "Analysis...");
        }
        for (int r : tail_rows) tail_items.push_back(form.google_list.item(r));
    }

    void restore() {
        TForm1& form = *f.form;
        while (form.download_list.count() > kInFlight) form.remove_download_line(form.download_list.count() - 1);
        for (std::size_t i = 0; i < tail_rows.size(); ++i) {
            const auto& subs = tail_items[i].sub_items;
            for (std::size_t k = 0; k < subs.size(); ++k)
                form.google_list.set_sub_item(tail_rows[i], static_cast<int>(k), subs[k]);
            form.google_list.facts_to_change(tail_rows[i]) = tail_items[i].facts;
        }
        f.recorder->starts.clear();
    }
};

void tick(benchmark::State& state, bool new_rows_at_end) {
    TickScene scene(static_cast<int>(state.range(0)), new_rows_at_end);
    TForm1& form = *scene.f.form;
    for (auto _ : state) {
        form.Timer1Timer();
        state.PauseTiming();
        if (scene.f.recorder->starts.size() != kTail) {
            state.SkipWithError("the tick did not start the ten rows at the end");
            break;
        }
        scene.restore();
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(state.range(0));
}

void BM_TickNewRowsAtEnd(benchmark::State& state) { tick(state, true); }
void BM_TickNoNewRowLeft(benchmark::State& state) { tick(state, false); }
BENCHMARK(BM_TickNewRowsAtEnd)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickNoNewRowLeft)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Keeps each run's times per tick so that the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // With --benchmark_repetitions the median stands for the run.
        for (const auto& run : runs) {
            if (run.error_occurred) continue;
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
            else if (run.run_type == Run::RT_Iteration)
                per_tick[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
    }
    struct Cost {
        double real;
        double cpu;
    };
    std::map<std::string, Cost> per_tick;
    std::map<std::string, Cost> medians;
    void Finalize() override {
        for (const auto& [name, cost] : medians) per_tick[name] = cost;
        ConsoleReporter::Finalize();
    }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    int missed = 0;
    for (const char* name : {"BM_TickNewRowsAtEnd", "BM_TickNoNewRowLeft"}) {
        const auto small = reporter.per_tick.find(std::string(name) + "/1000");
        const auto large = reporter.per_tick.find(std::string(name) + "/10000");
        if (small == reporter.per_tick.end() || large == reporter.per_tick.end()) continue;
        // CPU time decides: the machine is shared, and a tick is single-threaded work.
        const double ratio = large->second.cpu / small->second.cpu;
        std::printf("%s: tick over 10,000 rows / tick over 1,000 rows = %.2f CPU time, %.2f wall time (target <= 15) %s\n",
                    name, ratio, large->second.real / small->second.real, ratio <= 15.0 ? "met" : "MISSED");
        if (ratio > 15.0) ++missed;
    }
    benchmark::Shutdown();
    return missed == 0 ? 0 : 1;
}
