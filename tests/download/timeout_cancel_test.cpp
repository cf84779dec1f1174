// The inactivity time-out and Cancel.

#include "download/moniker_layer.h"
#include "tests/download/download_recorder.h"
#include "tests/support/http_fixture_server.h"

#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <map>
#include <gtest/gtest.h>

namespace {

HttpResponse stalled_after(std::string first_part) {
    HttpResponse r;
    r.headers = {{"Content-Type", "text/html"}, {"Content-Length", "100000"}};
    r.pieces = {std::move(first_part)};
    r.stall = HttpResponse::Stall::AfterBody;
    return r;
}

HttpResponse slow_page(std::string body, int delay_ms) {
    HttpResponse r = HttpResponse::html(std::move(body));
    r.header_delay_ms = delay_ms;
    return r;
}

// Waits until every one of the downloads has sent its request.
bool requests_sent(const DownloadRecorder& rec, const std::vector<std::string>& urls) {
    return wait_until([&] {
        for (const auto& url : urls) {
            const bool sent = std::any_of(rec.progress.begin(), rec.progress.end(),
                                          [&](const auto& p) { return p.url == url && p.status == 11; });
            if (!sent) return false;
        }
        return true;
    });
}

TEST(TimeOut, NoAnswerAfterTheRequestEndsWithTimeOut) {
    MonikerLayer layer;
    HttpFixtureServer server;
    HttpResponse silent;
    silent.stall = HttpResponse::Stall::BeforeHeaders;
    server.route("/silent", silent);
    TUrlDownload download(layer);
    DownloadRecorder rec(download);
    download.TimeOut = 300;

    QElapsedTimer clock;
    clock.start();
    download.Download(server.url("/silent"));
    ASSERT_TRUE(wait_until([&] { return rec.finished(server.url("/silent")); }));
    EXPECT_GE(clock.elapsed(), 250);
    ASSERT_EQ(rec.completions.size(), 1u);
    EXPECT_EQ(rec.completions[0].result, INET_E_CONNECTION_TIMEOUT);
    EXPECT_EQ(rec.completions[0].response_code, 0u);
    EXPECT_EQ(HResultToStr(rec.completions[0].result) + "  " + ResponseCodeToStr(0),
              "The Internet connection has timed out.  Unknown Response");
}

TEST(TimeOut, StallInTheBodyEndsWithTimeOutAndKeepsWhatArrived) {
    MonikerLayer layer;
    HttpFixtureServer server;
    server.route("/stall", stalled_after("first part"));
    TUrlDownload download(layer);
    DownloadRecorder rec(download);
    download.TimeOut = 300;

    download.Download(server.url("/stall"));
    ASSERT_TRUE(wait_until([&] { return rec.finished(server.url("/stall")); }));
    ASSERT_EQ(rec.completions.size(), 1u);
    EXPECT_EQ(rec.completions[0].result, INET_E_CONNECTION_TIMEOUT);
    EXPECT_EQ(rec.completions[0].response_code, 200u);
    EXPECT_EQ(rec.completions[0].body, "first part");
}

TEST(TimeOut, EveryDataReportRestartsTheTimerAndZeroDisablesIt) {
    MonikerLayer layer;
    HttpFixtureServer server;
    HttpResponse trickle = HttpResponse::html("");
    trickle.pieces = {"a", "b", "c", "d"};
    trickle.piece_delay_ms = 150;
    server.route("/trickle", trickle);
    server.route("/stall", stalled_after("x"));
    TUrlDownload download(layer);
    DownloadRecorder rec(download);

    download.TimeOut = 400;
    download.Download(server.url("/trickle"));
    download.TimeOut = 0;  // only downloads started afterwards
    download.Download(server.url("/stall"));
    ASSERT_TRUE(wait_until([&] { return rec.finished(server.url("/trickle")); }));
    EXPECT_EQ(rec.final_of(server.url("/trickle"))->result, S_OK);
    EXPECT_EQ(rec.final_of(server.url("/trickle"))->body, "abcd");

    run_for(500);
    EXPECT_FALSE(rec.finished(server.url("/stall"))) << "no time-out with TimeOut 0";
    EXPECT_EQ(download.active_count(), 1u);
}

TEST(Cancel, DownloadsNotYetNegotiatedAreRefusedAndReportedTwice) {
    MonikerLayer layer;
    HttpFixtureServer server;
    server.route("/a", HttpResponse::html("a"));
    TUrlDownload download(layer);
    DownloadRecorder rec(download);
    const std::vector<std::string> urls = {server.url("/a?1"), server.url("/a?2"), server.url("/a?3")};
    for (const auto& url : urls) download.Download(url);
    download.Cancel();

    ASSERT_TRUE(wait_until([&] { return rec.finals().size() == 3; }));
    for (const auto& url : urls) {
        std::vector<std::string> reports;
        for (const auto& c : rec.completions)
            if (c.url == url) reports.push_back((c.has_stream ? "final " : "early ") + std::to_string(c.result));
        EXPECT_EQ(reports, (std::vector<std::string>{"early " + std::to_string(E_ABORT), "final " + std::to_string(E_ABORT)}));
    }
    EXPECT_EQ(server.request_count(), 0u);
    EXPECT_EQ(download.active_count(), 0u);
}

// The binding starts before its request: a cancel from inside the request's BeginningTransaction
// is seen by the next notification and ends the download once, without an early report.
TEST(Cancel, FromInsideBeginningTransactionEndsOnceWithAbort) {
    DownloadBench bench;
    bench.server.route("/a", HttpResponse::html("a"));
    const auto recorded = bench.download.OnBeginningTransaction;
    bench.download.OnBeginningTransaction = [&](TBSCB& sender, const std::u16string& url,
                                                const std::u16string& headers, Cardinal reserved,
                                                std::u16string& additional) {
        const HRESULT result = recorded(sender, url, headers, reserved, additional);
        bench.download.Cancel();
        return result;
    };
    ASSERT_TRUE(bench.fetch("/a"));
    run_for(100);
    ASSERT_EQ(bench.rec.completions.size(), 1u);
    EXPECT_TRUE(bench.rec.completions[0].has_stream);
    EXPECT_EQ(bench.rec.completions[0].result, E_ABORT);
    EXPECT_EQ(bench.download.active_count(), 0u);
}

TEST(Cancel, RunningDownloadsEndAtTheirNextNotification) {
    MonikerLayer layer;
    HttpFixtureServer server;
    server.route("/slow", slow_page("slow", 300));
    TUrlDownload download(layer);
    DownloadRecorder rec(download);
    const std::vector<std::string> urls = {server.url("/slow?1"), server.url("/slow?2"), server.url("/slow?3")};
    for (const auto& url : urls) download.Download(url);
    ASSERT_TRUE(requests_sent(rec, urls));
    const std::size_t reports_before = rec.progress.size();
    download.Cancel();

    ASSERT_TRUE(wait_until([&] { return rec.finals().size() == 3; }));
    for (const auto& url : urls) EXPECT_EQ(rec.final_of(url)->result, E_ABORT) << url;
    EXPECT_EQ(rec.progress.size(), reports_before) << "a cancelled download reports no progress";
    for (const auto& e : rec.events) EXPECT_EQ(e.find("response"), std::string::npos);
}

TEST(Cancel, ActsOnlyUntilTheNextDownload) {
    MonikerLayer layer;
    HttpFixtureServer server;
    server.route("/slow", slow_page("slow", 300));
    server.route("/next", HttpResponse::html("next"));
    TUrlDownload download(layer);
    DownloadRecorder rec(download);
    const std::vector<std::string> urls = {server.url("/slow?1"), server.url("/slow?2"), server.url("/slow?3")};
    for (const auto& url : urls) download.Download(url);
    ASSERT_TRUE(requests_sent(rec, urls));
    download.Cancel();
    download.Download(server.url("/next"));  // lowers the flag before any running download hears of it

    ASSERT_TRUE(wait_until([&] { return rec.finals().size() == 4; }));
    for (const auto& c : rec.completions) {
        EXPECT_TRUE(c.has_stream) << c.url;
        EXPECT_EQ(c.result, S_OK) << c.url;
    }
    EXPECT_EQ(rec.final_of(server.url("/slow?2"))->body, "slow");
}

TEST(TimeOut, NoDownloadEndsBeforeItsTimeOut) {
    // Starts spread over more than 100 ms, so that a timer rounded to a coarse grid (as Qt rounds
    // a 1000 ms one to a tenth of a second) ends some of them early.
    using Clock = std::chrono::steady_clock;
    DownloadBench bench;
    HttpResponse silent;
    silent.stall = HttpResponse::Stall::BeforeHeaders;
    bench.server.route("/silent", silent);
    bench.download.TimeOut = 1000;
    std::map<std::string, Clock::time_point> sent;  // the time-out counts from the request
    bench.download.OnBeginningTransaction = [&](TBSCB& sender, auto&, auto&, Cardinal, auto&) {
        sent[sender.Url] = Clock::now();
        return S_OK;
    };
    std::map<std::string, Clock::duration> waited;
    bench.rec.after_complete = [&](TBSCB& sender, const TMemoryStream* stream, HRESULT) {
        if (stream) waited[sender.Url] = Clock::now() - sent[sender.Url];
    };
    for (int i = 0; i < 12; ++i) {
        bench.download.Download(bench.server.url("/silent?" + std::to_string(i)));
        run_for(10);
    }
    ASSERT_TRUE(wait_until([&] { return waited.size() == 12; }, 10000));
    for (const auto& [url, time] : waited) EXPECT_GE(time, std::chrono::milliseconds(1000)) << url;
}

}  // namespace
