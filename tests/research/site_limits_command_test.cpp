#include "tests/support/fixture_web_pages.h"
#include "tests/support/http_fixture_server.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;

struct ProcessRun {
    int exit_code = -1;
    std::string out;
    std::string err;
};

ProcessRun run_research(const QStringList& args, const std::string& input) {
    QProcess process;
    process.start(RAVELMOOT_RESEARCH_BIN, args);
    if (!process.waitForStarted(10000)) return {};
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

// A loopback site on its own address that answers every path with a page and notes when each
// request came and with which user agent.
class Site {
public:
    Site(const std::string& address, HttpResponse answer) : server_(HttpFixtureServer::Threading::OwnThread, address) {
        server_.fallback([this, answer](const HttpRequest& request) {
            std::lock_guard lock(mutex_);
            arrivals_.push_back(Clock::now());
            agents_.push_back(request.has_header("User-Agent") ? request.header("User-Agent") : "<none>");
            return answer;
        });
    }
    std::string url(const std::string& path) const { return server_.url(path); }
    std::vector<Clock::time_point> arrivals() const {
        std::lock_guard lock(mutex_);
        return arrivals_;
    }
    std::vector<std::string> agents() const {
        std::lock_guard lock(mutex_);
        return agents_;
    }

private:
    HttpFixtureServer server_;
    mutable std::mutex mutex_;
    std::vector<Clock::time_point> arrivals_;
    std::vector<std::string> agents_;
};

HttpResponse slow_forum() {
    HttpResponse page = HttpResponse::html(
        fixture_web::forum_page({"f", "F", "F", fixture_web::Behaviour::Counts, {10, 21}, "Good", "15", "21"}, true));
    page.header_delay_ms = 300;
    return page;
}

// Downloads start at the scheduler's ticks, a second apart: requests that arrive within a
// fraction of that ran at the same time.
int most_at_once(std::vector<Clock::time_point> arrivals) {
    std::sort(arrivals.begin(), arrivals.end());
    int most = 0;
    for (auto first = arrivals.begin(); first != arrivals.end(); ++first) {
        const auto end = std::upper_bound(first, arrivals.end(), *first + std::chrono::milliseconds(250));
        most = std::max(most, static_cast<int>(end - first));
    }
    return most;
}

TEST(SiteLimitsCommand, PerSiteLimitUserAgentAndReasons) {
    Site busy("127.0.0.2", slow_forum());
    Site other("127.0.0.3", slow_forum());
    HttpResponse challenge = HttpResponse::html("<title>Just a moment...</title>", 403);
    challenge.headers = {{"cf-mitigated", "challenge"}};
    Site blocked("127.0.0.4", challenge);
    std::string forums;
    for (int i = 0; i < 5; ++i) forums += busy.url("/a" + std::to_string(i)) + "\n";
    forums += other.url("/b0") + "\n" + other.url("/b1") + "\n" + blocked.url("/c") + "\n";

    const ProcessRun run = run_research({"--forums", "-", "--per-site", "2", "--threads", "6", "--attempts", "1", "--format",
                                  "json", "--quiet", "--user-agent", "Ravelmoot-test/1"},
                                 forums);
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(most_at_once(busy.arrivals()), 2);
    // The other site did not wait for the busy one's queue to drain.
    ASSERT_EQ(busy.arrivals().size(), 5u);
    EXPECT_LT(other.arrivals().front(), busy.arrivals().back());
    for (const Site* site : {&busy, &other, &blocked})
        for (const auto& agent : site->agents()) EXPECT_EQ(agent, "Ravelmoot-test/1");

    EXPECT_NE(run.out.find("{\"url\":\"" + blocked.url("/c") +
                           "\",\"description\":\"\",\"verdict\":null,\"posts_average\":null,\"posts_max\":null,"
                           "\"attempts\":1,\"read_as\":null,\"newest_post\":null,\"engine\":null,"
                           "\"reason\":\"bot check (Cloudflare); try another user agent\"}\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\"read_as\":\"row2\",\"newest_post\":"), std::string::npos);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 8);
    EXPECT_NE(run.err.find("1 never answered, 7 with a post in the last 30 days; no figures: 1 bot-check\n"), std::string::npos)
        << run.err;
}

}  // namespace
