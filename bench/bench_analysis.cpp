// The page analyses against `grep -c` over the same 50 MB page, side by side in one run.
//
// For each finished page the program indexes the joined page's lines (PageLines) and runs the
// page reader its handler runs: read_forum_page (forum stage, current engines on: the counts and
// the newest post's date) or read_google_result_page (search stage). This measures exactly that, starting from the page's bytes in memory and
// including freeing page and answer, against grep counting the lines that hold the same marker
// in the same page on disk (already in the page cache; grep runs with -F and LC_ALL=C, its
// fastest way). Medians of alternating rounds; the ratio is grep's time / ours, so 1.0 means as
// fast as grep; the targets, by processor time, are at least 1.0 for the popularity analysis and
// 0.9 for the link extraction.
//
// Usage: bench_analysis [megabytes (default 50)] [rounds (default 5)] [folder to keep the pages in]

#include "analysis/forum_engines/forum_page.h"
#include "analysis/forum_figures.h"
#include "analysis/page_lines.h"
#include "analysis/search_answer.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

extern char** environ;

namespace {

// The least speeds against grep's, by processor time.
constexpr double kPopularityTarget = 1.0;
constexpr double kLinksTarget = 0.9;
using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A phpBB 2 subSilver forum index: a header, then one table row per forum (name cell "row1",
// topics and posts in "row2" cells, the last post in a "row2" cell that holds a date), CR LF.
std::string forum_page(std::size_t bytes) {
    std::mt19937 random(7);
    std::string page =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<html dir=\"ltr\">\r\n<head>\r\n"
        "<style type=\"text/css\">\r\ntd.row1\t{ background-color: #EFEFEF; }\r\n"
        "td.row2\t{ background-color: #DEE3E7; }\r\n</style>\r\n</head>\r\n<body>\r\n"
        "<table width=\"100%\" cellpadding=\"2\" cellspacing=\"1\" border=\"0\" class=\"forumline\">\r\n";
    for (int forum = 1; page.size() < bytes; ++forum) {
        const auto topics = std::to_string(random() % 5000);
        const auto posts = std::to_string(random() % 90000);
        const auto user = std::to_string(random() % 3000);
        page += "  <tr>\r\n\t<td class=\"row1\" align=\"center\" valign=\"middle\" height=\"50\"><img "
                "src=\"templates/subSilver/images/folder_big.gif\" width=\"46\" height=\"25\" alt=\"No new posts\" "
                "title=\"No new posts\" /></td>\r\n\t<td class=\"row1\" width=\"100%\" height=\"50\"><span "
                "class=\"forumlink\"> <a href=\"viewforum.php?f=" + std::to_string(forum) +
                "&amp;sid=bbe62f2a9cfacf0ffe24ff484fd7dfcd\" class=\"forumlink\">Marketing talk " + std::to_string(forum) +
                "</a><br />\r\n\t  </span> <span class=\"genmed\">Questions about selling software, pricing and "
                "promotion of shareware products<br />\r\n\t  </span><span class=\"gensmall\">Moderator: <a "
                "href=\"profile.php?mode=viewprofile&amp;u=" + user + "\">moderator" + user +
                "</a></span></td>\r\n\t<td class=\"row2\" align=\"center\" valign=\"middle\" height=\"50\"><span "
                "class=\"gensmall\">" + topics + "</span></td>\r\n\t<td class=\"row2\" align=\"center\" "
                "valign=\"middle\" height=\"50\"><span class=\"gensmall\">" + posts + "</span></td>\r\n\t<td "
                "class=\"row2\" align=\"center\" valign=\"middle\" height=\"50\" nowrap=\"nowrap\"> <span "
                "class=\"gensmall\">Thu Sep 19, 2002 6:05 pm<br /><a href=\"profile.php?mode=viewprofile&amp;u=" +
                user + "\">member" + user + "</a> <a href=\"viewtopic.php?p=" + posts +
                "#" + posts + "\"><img src=\"templates/subSilver/images/icon_latest_reply.gif\" border=\"0\" "
                "alt=\"View latest post\" /></a></span></td>\r\n  </tr>\r\n";
    }
    page += "</table>\r\n</body>\r\n</html>\r\n";
    return page;
}

// A result page in the old table layout: per result an anchor line with bold query words,
// a snippet line and a line with the cached-page link, LF line ends.
std::string result_page(std::size_t bytes) {
    std::mt19937 random(11);
    std::string page =
        "<html><head><title>\"forum index\" software marketing - Search</title></head><body>\n"
        "<a href=\"http://www.google.com/\"><img src=\"/images/logo_sm.gif\" alt=\"Search\"></a>\n";
    while (page.size() < bytes) {
        const auto site = std::to_string(random() % 20000);
        const auto topic = std::to_string(random() % 100000);
        page += "<p class=g><a href=\"http://forum" + site + ".example.com/phpBB2/viewtopic.php?t=" + topic +
                "\" class=l>Software <b>marketing</b> - <b>Forum Index</b> " + site +
                "</a><table border=0 cellpadding=0 cellspacing=0><tr><td class=j><font size=-1>\n"
                "Discussion of <b>software marketing</b>, pricing and promotion. <b>Forum index</b> ... Posts: " +
                topic + " ... Members: " + site + " ...<br>\n"
                "<span class=a>forum" + site + ".example.com/phpBB2/ - 31k - </span><nobr><a class=fl "
                "href=\"http://64.233.183.104/search?q=cache:" + topic + ":forum" + site +
                ".example.com/\">Cached</a> - <a class=fl href=\"/search?hl=en&lr=&q=related:forum" + site +
                ".example.com/\">Similar pages</a></nobr></font></td></tr></table>\n";
    }
    page += "<div id=nav><a href=\"/search?q=x&start=100&sa=N\"><b>Next</b></a></div>\n</body></html>\n";
    return page;
}

// Runs `grep -c marker file` and returns its count, or -1 when it could not be run.
long grep_count(const std::string& marker, const std::string& file) {
    int out[2];
    if (pipe(out) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<std::string> args{"grep", "-c", "-F", "--", marker, file};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "grep", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string text;
    char buffer[64];
    for (ssize_t n; spawned == 0 && (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    close(out[0]);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) > 1) return -1;
    return std::strtol(text.c_str(), nullptr, 10);
}

// One round's times: by the clock and by processor time.
struct Round {
    double seconds = 0;
    double cpu_seconds = 0;
};

// Every round of one contender, and what it found.
struct Timed {
    std::vector<Round> rounds;
    long result = 0;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double median_seconds(const Timed& t) {
    std::vector<double> v;
    for (const auto& r : t.rounds) v.push_back(r.seconds);
    return median(v);
}

double median_cpu_seconds(const Timed& t) {
    std::vector<double> v;
    for (const auto& r : t.rounds) v.push_back(r.cpu_seconds);
    return median(v);
}

// Processor time of this process and of its waited-for children (grep), user and system.
double cpu_seconds_used() {
    timespec self{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &self);
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return static_cast<double>(self.tv_sec) + self.tv_nsec / 1e9 + seconds(children.ru_utime) +
           seconds(children.ru_stime);
}

// Times one run, by the clock and by processor time, and records the round.
template <typename F>
void time_into(Timed& timed, F run) {
    const double cpu_start = cpu_seconds_used();
    const auto start = Clock::now();
    timed.result = run();
    timed.rounds.push_back({seconds_since(start), cpu_seconds_used() - cpu_start});
}

// Where our time goes, per round: indexing the lines, reading them, freeing the answer.
struct Phases {
    std::vector<double> index, read, release;
};

// What the program does with a finished page, starting from the joined bytes the download
// left: index its lines (PageLines), run the page reader the handler runs, free its answer.
// The bytes are copied before the clock starts, as the download hands them over, and the page
// is let go after it stops, as the window keeps it until the next page comes.
template <typename Reader, typename Count>
void run_page(const std::string& page, Timed& timed, Phases& phases, Reader reader, Count count) {
    std::string bytes = page;
    PageLines kept;
    const double cpu_start = cpu_seconds_used();
    const auto start = Clock::now();
    Clock::time_point indexed, read;
    {
        const PageLines lines(std::move(bytes));
        indexed = Clock::now();
        const auto answer = reader(lines);
        timed.result = count(answer);
        read = Clock::now();
        kept = lines;
    }
    const auto end = Clock::now();
    timed.rounds.push_back({std::chrono::duration<double>(end - start).count(), cpu_seconds_used() - cpu_start});
    phases.index.push_back(std::chrono::duration<double>(indexed - start).count());
    phases.read.push_back(std::chrono::duration<double>(read - indexed).count());
    phases.release.push_back(std::chrono::duration<double>(end - read).count());
}

void count_posts(const std::string& page, Timed& timed, Phases& phases) {
    // The day after the page's last posts, as a server's Date header would say.
    static constexpr std::int64_t kServedAt = 1032480000;  // 2002-09-20
    run_page(
        page, timed, phases, [](const PageLines& lines) { return read_forum_page(lines, true, kServedAt); },
        [](const ForumFigures& f) { return static_cast<long>(f.numbers) + (f.newest_post ? 1 : 0); });
}

// The reader alone: the links as it hands them to the search stage.
void extract_links(const std::string& page, Timed& timed, Phases& phases) {
    run_page(page, timed, phases, read_google_result_page,
             [](const SearchAnswer& a) { return static_cast<long>(link_count(a)); });
}

// The reader and then what the search stage does with its answer: the duplicate test against
// the links kept so far (none before this page) and a copy of each link kept.
void extract_and_keep_links(const std::string& page, Timed& timed, Phases& phases) {
    const auto read_and_keep = [](const PageLines& lines) {
        std::vector<FoundLink> kept;
        collect_new_links(kept, read_google_result_page(lines));
        return kept;
    };
    run_page(page, timed, phases, read_and_keep, [](const std::vector<FoundLink>& kept) { return static_cast<long>(kept.size()); });
}

// Prints one comparison; true when the target is met (by processor time, the steadier figure
// on a shared machine).
bool report(const char* what, std::size_t bytes, const Timed& ours, const Phases& phases, const Timed& grep,
            const char* marker, double target) {
    const double mb = static_cast<double>(bytes) / 1e6;
    const double ours_s = median_seconds(ours), grep_s = median_seconds(grep);
    const double ours_cpu = median_cpu_seconds(ours), grep_cpu = median_cpu_seconds(grep);
    std::printf("%-20s %6.1f ms (%5.0f MB/s; index %.1f, read %.1f, free %.1f; cpu %.1f ms; result %ld)\n",
                what, ours_s * 1e3, mb / ours_s, median(phases.index) * 1e3, median(phases.read) * 1e3,
                median(phases.release) * 1e3, ours_cpu * 1e3, ours.result);
    std::printf("%-20s %6.1f ms (%5.0f MB/s; cpu %.1f ms; %ld lines)\n",
                ("grep -c '" + std::string(marker) + "'").c_str(), grep_s * 1e3, mb / grep_s, grep_cpu * 1e3,
                grep.result);
    std::printf("%-20s ratio grep/ours: %.2f by the clock, %.2f by processor time", "", grep_s / ours_s, grep_cpu / ours_cpu);
    if (target > 0)
        std::printf(" (target: at least %.1f)\n", target);
    else
        std::printf(" (no target)\n");
    return grep_cpu / ours_cpu >= target;
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 50;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    const std::size_t bytes = megabytes * 1000 * 1000;

    char dir_template[] = "/tmp/bench_analysis.XXXXXX";
    const char* dir = mkdtemp(dir_template);
    if (!dir) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder(dir);
    // grep at its fastest: byte-wise matching, fixed string (-F).
    setenv("LC_ALL", "C", 1);

    const auto forum = forum_page(bytes);
    const auto results = result_page(bytes);
    std::ofstream(folder / "forum.htm", std::ios::binary) << forum;
    std::ofstream(folder / "results.htm", std::ios::binary) << results;
    std::printf("pages: forum %zu bytes, results %zu bytes; medians of %d alternating rounds\n", forum.size(),
                results.size(), rounds);

    // Warm the page cache and the allocator before timing.
    grep_count("row2", folder / "forum.htm");
    grep_count("<a href=\"", folder / "results.htm");
    Phases warm;
    Timed warm_timed;
    count_posts(forum, warm_timed, warm);
    extract_links(results, warm_timed, warm);
    Phases forum_phases;
    Phases result_phases;

    // Rounds alternate between us and grep so that a busy moment of the machine hits both alike.
    Phases kept_phases;
    Timed posts, grep_posts, links, grep_links, kept_links;
    for (int round = 0; round < rounds; ++round) {
        count_posts(forum, posts, forum_phases);
        time_into(grep_posts, [&] { return grep_count("row2", folder / "forum.htm"); });
        extract_links(results, links, result_phases);
        time_into(grep_links, [&] { return grep_count("<a href=\"", folder / "results.htm"); });
        extract_and_keep_links(results, kept_links, kept_phases);
    }
    const bool posts_met = report("popularity analysis", forum.size(), posts, forum_phases, grep_posts, "row2", kPopularityTarget);
    const bool links_met = report("link extraction", results.size(), links, result_phases, grep_links, "<a href=\"", kLinksTarget);
    // No target: the search stage's whole work on the page, beside the same grep rounds.
    report("links kept", results.size(), kept_links, kept_phases, grep_links, "<a href=\"", 0);
    int status = posts_met && links_met ? 0 : 1;
    std::printf("%s\n", status == 0 ? "target met" : "TARGET MISSED");
    if (grep_posts.result < 0 || grep_links.result < 0) {
        std::fprintf(stderr, "grep could not be run\n");
        status = 1;
    }

    if (argc > 3) {
        std::filesystem::copy_file(folder / "forum.htm", std::filesystem::path(argv[3]) / "forum.htm",
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::copy_file(folder / "results.htm", std::filesystem::path(argv[3]) / "results.htm",
                                   std::filesystem::copy_options::overwrite_existing);
    }
    std::filesystem::remove_all(folder);
    return status;
}
