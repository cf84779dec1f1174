// Many downloads at once, and handlers that start, cancel, wait or throw from inside an event.

#include "download/memory_stream.h"
#include "download/moniker_layer.h"
#include "tests/download/download_recorder.h"
#include "tests/support/http_fixture_server.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace {

std::string body_for(const std::string& target) { return "<html>" + target + std::string(3000, '.') + "</html>"; }

TEST(Concurrency, ManyDownloadsAtOnceEachCompleteExactlyOnce) {
    MonikerLayer layer;
    HttpFixtureServer server;
    server.fallback([](const HttpRequest& r) { return HttpResponse::html(body_for(r.target)); });
    TUrlDownload download(layer);
    std::map<std::string, int> finals;
    std::map<std::string, std::string> bodies;
    download.OnComplete = [&](TBSCB& sender, const TMemoryStream* stream, HRESULT result) {
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(result, S_OK);
        ++finals[sender.Url];
        bodies[sender.Url] = std::string(stream->view());
    };
    const int count = 150;
    for (int i = 0; i < count; ++i) download.Download(server.url("/page/" + std::to_string(i)));
    EXPECT_EQ(download.active_count(), static_cast<std::size_t>(count));

    ASSERT_TRUE(wait_until([&] { return finals.size() == count; }, 20000));
    run_for(50);
    for (int i = 0; i < count; ++i) {
        const std::string url = server.url("/page/" + std::to_string(i));
        EXPECT_EQ(finals[url], 1) << url;
        EXPECT_EQ(bodies[url], body_for("/page/" + std::to_string(i))) << url;
    }
    EXPECT_EQ(download.active_count(), 0u);
    EXPECT_EQ(layer.binding_count(), 0u);
}

TEST(Concurrency, HandlersMayStartWaitAndCancelFromInsideEvents) {
    MonikerLayer layer;
    HttpFixtureServer server;
    server.fallback([](const HttpRequest& r) { return HttpResponse::html(body_for(r.target)); });
    TUrlDownload download(layer);
    DownloadRecorder rec(download);
    int started = 1;
    rec.after_complete = [&](TBSCB& sender, const TMemoryStream* stream, HRESULT) {
        if (!stream) return;
        // Like the pipeline: start the next page, then let pending events run.
        if (started < 20) download.Download(server.url("/chain/" + std::to_string(started++)));
        QCoreApplication::processEvents();
        EXPECT_FALSE(sender.Url.empty()) << "Sender stays usable through the handler";
    };
    download.Download(server.url("/chain/0"));
    ASSERT_TRUE(wait_until([&] { return rec.finals().size() == 20; }, 10000));
    for (const auto& c : rec.finals()) EXPECT_EQ(c.result, S_OK);

    // A synchronous download from inside an asynchronous download's data event.
    rec.after_complete = nullptr;
    std::string inner_body;
    download.OnData = [&](TBSCB& sender, std::vector<std::uint8_t>&, Cardinal&) {
        if (sender.Url != server.url("/outer") || !inner_body.empty()) return;
        TUrlDownload inner(layer);
        inner.SetOptions(TBindInfoOptions::synchronous_set());
        inner.OnComplete = [&](TBSCB&, const TMemoryStream* stream, HRESULT) {
            if (stream) inner_body = std::string(stream->view());
        };
        inner.Download(server.url("/inner"));
        EXPECT_FALSE(inner_body.empty()) << "the inner download is over when Download returns";
    };
    download.Download(server.url("/outer"));
    ASSERT_TRUE(wait_until([&] { return rec.finished(server.url("/outer")); }));
    EXPECT_EQ(inner_body, body_for("/inner"));

    // Cancel from inside a progress event ends that download; the flag stays up for the others.
    download.OnData = nullptr;
    download.OnProgress = [&](TBSCB&, Cardinal, Cardinal, Cardinal status, const std::u16string&, const std::string&,
                              const std::string&, const std::string&) {
        if (status == 11) download.Cancel();
    };
    download.Download(server.url("/cancelled"));
    ASSERT_TRUE(wait_until([&] { return rec.finished(server.url("/cancelled")); }));
    EXPECT_EQ(rec.final_of(server.url("/cancelled"))->result, E_ABORT);
}

TEST(Concurrency, AThrowingHandlerDoesNotStopTheBookkeeping) {
    MonikerLayer layer;
    HttpFixtureServer server;
    server.fallback([](const HttpRequest& r) { return HttpResponse::html(body_for(r.target)); });
    TUrlDownload download(layer);
    int finals = 0;
    download.OnComplete = [&](TBSCB&, const TMemoryStream* stream, HRESULT) {
        if (!stream) return;
        ++finals;
        throw std::runtime_error("handler failed");
    };
    for (int i = 0; i < 5; ++i) download.Download(server.url("/t/" + std::to_string(i)));
    ASSERT_TRUE(wait_until([&] { return finals == 5; }));
    run_for(50);
    EXPECT_EQ(download.active_count(), 0u);
    EXPECT_EQ(layer.binding_count(), 0u);
}

TEST(Concurrency, DestroyingTheComponentSilencesItsRunningDownloads) {
    MonikerLayer layer;
    HttpFixtureServer server;
    HttpResponse slow = HttpResponse::html("late");
    slow.header_delay_ms = 100;
    server.route("/slow", slow);
    int events = 0;
    {
        TUrlDownload download(layer);
        download.OnProgress = [&](TBSCB&, Cardinal, Cardinal, Cardinal, const std::u16string&, const std::string&,
                                  const std::string&, const std::string&) { ++events; };
        download.OnComplete = [&](TBSCB&, const TMemoryStream*, HRESULT) { ++events; };
        for (int i = 0; i < 3; ++i) download.Download(server.url("/slow?" + std::to_string(i)));
        run_for(30);
    }
    const int before = events;
    EXPECT_EQ(layer.binding_count(), 0u);
    run_for(250);
    EXPECT_EQ(events, before);
}

}  // namespace
