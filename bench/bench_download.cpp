// Whole-process comparison of the download engine with curl's own parallel transfers.
//
// A loopback server (on a thread of this process) serves N pages of S bytes. Two client
// processes fetch the same URL list with 25 transfers in flight: `curl --parallel
// --parallel-max 25` and bench_download_client (TUrlDownload). Each is timed as a whole process
// (wall clock, user + system CPU from wait4, peak resident memory), in alternating rounds.
// Then bench_download_client fetches one large page and reports its resident memory before the
// download and at its peak.
//
//   bench_download [--pages 2000] [--size 20480] [--rounds 5] [--big-mb 50] [--curl /usr/bin/curl]

#include "tests/support/http_fixture_server.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double wall_s = 0;
    double cpu_s = 0;
    long peak_kb = 0;
    int exit_code = -1;
};

Run run_process(const std::vector<std::string>& argv) {
    std::vector<char*> raw;
    for (const auto& a : argv) raw.push_back(const_cast<char*>(a.c_str()));
    raw.push_back(nullptr);
    Run run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, raw[0], nullptr, nullptr, raw.data(), environ) != 0) return run;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.wall_s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpu_s = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.peak_kb = usage.ru_maxrss;
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::map<std::string, std::string> read_fields(const std::string& path) {
    std::map<std::string, std::string> fields;
    std::ifstream in(path);
    std::string item;
    while (in >> item) {
        const auto eq = item.find('=');
        if (eq != std::string::npos) fields[item.substr(0, eq)] = item.substr(eq + 1);
    }
    return fields;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string page_body(const std::string& target, std::size_t size) {
    std::string body = "<html><head><title>" + target + "</title></head><body>\n";
    for (int row = 0; body.size() < size; ++row)
        body += "<tr class=\"row2\"><td>" + std::to_string(row * 7 % 1000) + "</td><td>topic</td></tr>\n";
    body.resize(size);
    return body;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::size_t pages = 2000, size = 20 * 1024;
    int rounds = 5;
    std::uint64_t big_mb = 50;
    std::string curl = "/usr/bin/curl";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i], value = argv[i + 1];
        if (key == "--pages") pages = std::stoul(value);
        else if (key == "--size") size = std::stoul(value);
        else if (key == "--rounds") rounds = std::stoi(value);
        else if (key == "--big-mb") big_mb = std::stoull(value);
        else if (key == "--curl") curl = value;
    }
    std::string self(4096, '\0');
    self.resize(static_cast<std::size_t>(std::max<ssize_t>(0, readlink("/proc/self/exe", self.data(), self.size()))));
    const std::string client = self.substr(0, self.rfind('/') + 1) + "bench_download_client";

    HttpFixtureServer server(HttpFixtureServer::Threading::OwnThread);
    server.set_logging(false);
    server.fallback([size](const HttpRequest& r) { return HttpResponse::html(page_body(r.target, size)); });
    HttpResponse big;
    big.generated_size = big_mb * 1024 * 1024;
    big.headers = {{"Content-Type", "text/html"}};
    server.route("/big", big);

    QTemporaryDir dir;
    const std::string list = dir.path().toStdString() + "/urls.txt";
    const std::string config = dir.path().toStdString() + "/curl.conf";
    const std::string result = dir.path().toStdString() + "/result.txt";
    {
        std::ofstream urls(list), conf(config);
        for (std::size_t i = 0; i < pages; ++i) {
            const std::string url = server.url("/forum/" + std::to_string(i) + "/index.php");
            urls << url << "\n";
            conf << "url = \"" << url << "\"\noutput = \"/dev/null\"\n";
        }
    }

    std::vector<double> wall_ratio, cpu_ratio;
    std::vector<Run> curl_runs, ours_runs;
    for (int round = 0; round < rounds; ++round) {
        const Run c = run_process({curl, "--parallel", "--parallel-max", "25", "--silent", "--no-progress-meter", "--show-error",
                                   "--fail", "--config", config});
        const Run o = run_process({client, "pages", list, result, "25"});
        const auto fields = read_fields(result);
        if (c.exit_code != 0 || o.exit_code != 0 || fields.count("pages") == 0 ||
            std::stoul(fields.at("pages")) != pages || fields.at("failed") != "0" ||
            std::stoull(fields.at("bytes")) != pages * size) {
            std::fprintf(stderr, "round %d failed: curl exit %d, client exit %d\n", round, c.exit_code, o.exit_code);
            return 1;
        }
        curl_runs.push_back(c);
        ours_runs.push_back(o);
        wall_ratio.push_back(o.wall_s / c.wall_s);
        cpu_ratio.push_back(o.cpu_s / c.cpu_s);
        std::printf("round %d: curl %.3f s wall %.3f s cpu %ld KB peak | TUrlDownload %.3f s wall %.3f s cpu %ld KB peak\n",
                    round + 1, c.wall_s, c.cpu_s, c.peak_kb, o.wall_s, o.cpu_s, o.peak_kb);
    }
    std::printf("%zu pages of %zu bytes, 25 in flight, median of %d rounds:\n", pages, size, rounds);
    std::printf("  wall time ratio TUrlDownload/curl: %.2f (target <= 1.25)\n", median(wall_ratio));
    std::printf("  CPU time ratio  TUrlDownload/curl: %.2f (target <= 1.50)\n", median(cpu_ratio));
    long curl_peak = 0, ours_peak = 0;
    for (const auto& r : curl_runs) curl_peak = std::max(curl_peak, r.peak_kb);
    for (const auto& r : ours_runs) ours_peak = std::max(ours_peak, r.peak_kb);
    std::printf("  peak resident memory: curl %ld KB, TUrlDownload %ld KB\n", curl_peak, ours_peak);

    const Run b = run_process({client, "big", server.url("/big"), result});
    const auto fields = read_fields(result);
    if (b.exit_code != 0 || fields.count("peak_kb") == 0) {
        std::fprintf(stderr, "the large page failed: exit %d\n", b.exit_code);
        return 1;
    }
    const double page_mb = static_cast<double>(big_mb);
    const double above_idle_mb = static_cast<double>(std::stol(fields.at("peak_kb")) - std::stol(fields.at("idle_kb"))) / 1024.0;
    std::printf("one %llu MB page: idle %s KB, peak %s KB, %.1f MB above idle = %.2fx the page (target <= 4x)\n",
                static_cast<unsigned long long>(big_mb), fields.at("idle_kb").c_str(), fields.at("peak_kb").c_str(),
                above_idle_mb, above_idle_mb / page_mb);
    return 0;
}
