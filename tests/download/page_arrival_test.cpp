// A page arrives whole: in OnComplete's stream, as OnData chunks, with the progress reports
// in their order, asynchronously and synchronously.

#include "download/moniker_layer.h"
#include "tests/download/download_recorder.h"
#include "tests/support/http_fixture_server.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace {

using Statuses = std::vector<Cardinal>;

std::string joined(const std::vector<std::string>& chunks) {
    std::string all;
    for (const auto& c : chunks) all += c;
    return all;
}

std::string page_of(std::size_t size) {
    std::string page;
    for (std::size_t i = 0; page.size() < size; ++i) page += "<tr class=\"row2\"><td>" + std::to_string(i) + "</td></tr>\n";
    page.resize(size);
    return page;
}

TEST(PageArrival, WholePageInStreamAndChunksWithProgressInOrder) {
    MonikerLayer layer;
    HttpFixtureServer server;
    const std::string page = page_of(200000);
    server.route("/page", HttpResponse::html(page));
    TUrlDownload download(layer);
    DownloadRecorder rec(download);

    download.Download(server.url("/page"));
    EXPECT_TRUE(rec.completions.empty()) << "asynchronous: nothing is reported inside Download";
    ASSERT_TRUE(wait_until([&] { return rec.finished(server.url("/page")); }));

    ASSERT_EQ(rec.completions.size(), 1u);
    const auto& done = rec.completions[0];
    EXPECT_EQ(done.result, S_OK);
    EXPECT_EQ(done.response_code, 200u);
    EXPECT_EQ(done.body, page);
    EXPECT_EQ(joined(rec.chunks), page);
    EXPECT_EQ(rec.events.back(), "complete final 0");

    // 1 finding, 2 connecting, 11 sending, response, 13 MIME type, 4 first data, 5 per block, 6 end.
    const Statuses s = rec.statuses();
    ASSERT_GE(s.size(), 7u);
    EXPECT_EQ((Statuses{s[0], s[1], s[2], s[3], s[4]}), (Statuses{1, 2, 11, 13, 4}));
    EXPECT_EQ(s.back(), 6u);
    EXPECT_EQ(rec.progress.back().progress, page.size());
    EXPECT_EQ(rec.progress.back().progress_max, page.size());
    EXPECT_EQ(rec.progress[3].text, "text/html");
    for (const auto& p : rec.progress) {
        if (p.status == 5) { EXPECT_EQ(p.progress_max, page.size()); }
    }
    EXPECT_EQ(download.active_count(), 0u);
}

TEST(PageArrival, ChunkedPiecesArriveAsSeparateDataReports) {
    MonikerLayer layer;
    HttpFixtureServer server;
    HttpResponse pieces;
    pieces.framing = HttpResponse::Framing::Chunked;
    pieces.pieces = {"<html>first", " second", " third</html>"};
    pieces.piece_delay_ms = 40;
    server.route("/pieces", pieces);
    TUrlDownload download(layer);
    DownloadRecorder rec(download);

    download.Download(server.url("/pieces"));
    ASSERT_TRUE(wait_until([&] { return rec.finished(server.url("/pieces")); }));
    EXPECT_EQ(rec.completions.at(0).body, "<html>first second third</html>");
    std::vector<std::string> non_empty;
    for (const auto& c : rec.chunks)
        if (!c.empty()) non_empty.push_back(c);
    EXPECT_EQ(non_empty, (std::vector<std::string>{"<html>first", " second", " third</html>"}));
    // Without a Content-Length the progress maximum is 0.
    for (const auto& p : rec.progress) {
        if (p.status == 5) { EXPECT_EQ(p.progress_max, 0u); }
    }
}

TEST(PageArrival, OnDataBufferEndsWithZeroAndHandlerMayShortenOrSwapIt) {
    MonikerLayer layer;
    HttpFixtureServer server;
    HttpResponse pieces;
    pieces.framing = HttpResponse::Framing::Chunked;
    pieces.pieces = {"abcdef", "ghijkl"};
    pieces.piece_delay_ms = 40;
    server.route("/p", pieces);
    TUrlDownload download(layer);
    DownloadRecorder rec(download);
    bool zero_behind_every_block = true;
    int calls = 0;
    download.OnData = [&](TBSCB&, std::vector<std::uint8_t>& buffer, Cardinal& length) {
        zero_behind_every_block = zero_behind_every_block && buffer.size() > length && buffer[length] == 0;
        if (length == 0) return;
        if (++calls == 1) {
            length = 3;  // only "abc" is kept
        } else {
            buffer = {'X', 'Y', 0};  // another block in place of this one
            length = 2;
        }
    };

    download.Download(server.url("/p"));
    ASSERT_TRUE(wait_until([&] { return rec.finished(server.url("/p")); }));
    EXPECT_TRUE(zero_behind_every_block);
    EXPECT_EQ(rec.completions.at(0).body, "abcXY");
    EXPECT_EQ(rec.completions.at(0).result, S_OK);
}

TEST(PageArrival, CompressedBodyArrivesDecompressed) {
    MonikerLayer layer;
    HttpFixtureServer server;
    const std::string page = page_of(50000);
    // qCompress gives a 4-byte length and then a zlib stream, which is what "deflate" means.
    const QByteArray packed = qCompress(QByteArray(page.data(), static_cast<qsizetype>(page.size()))).mid(4);
    HttpResponse compressed = HttpResponse::html(std::string(packed.constData(), static_cast<std::size_t>(packed.size())));
    compressed.headers.emplace_back("Content-Encoding", "deflate");
    server.route("/packed", compressed);
    TUrlDownload download(layer);
    DownloadRecorder rec(download);

    download.Download(server.url("/packed"));
    ASSERT_TRUE(wait_until([&] { return rec.finished(server.url("/packed")); }));
    EXPECT_EQ(rec.completions.at(0).result, S_OK);
    EXPECT_EQ(rec.completions.at(0).body, page);
    EXPECT_NE(server.requests().at(0).header("Accept-Encoding").find("deflate"), std::string::npos);
}

TEST(PageArrival, SynchronousOptionsDeliverEverythingInsideDownload) {
    for (const auto options : {TBindInfoOptions::synchronous_set(), TBindInfoOptions{}}) {
        MonikerLayer layer;
        HttpFixtureServer server;
        server.route("/sync", HttpResponse::html("synchronous page"));
        server.route("/async", HttpResponse::html("asynchronous page"));
        TUrlDownload download(layer);
        DownloadRecorder rec(download);

        // An asynchronous download already running is held back while the synchronous one runs.
        download.Download(server.url("/async"));
        download.SetOptions(options);
        download.Download(server.url("/sync"));
        ASSERT_EQ(rec.completions.size(), 1u);
        EXPECT_EQ(rec.completions[0].url, server.url("/sync"));
        EXPECT_EQ(rec.completions[0].body, "synchronous page");
        EXPECT_EQ(rec.completions[0].result, S_OK);
        EXPECT_EQ(download.active_count(), 1u) << "only the asynchronous download is listed";
        EXPECT_EQ(layer.binding_count(), 1u);

        ASSERT_TRUE(wait_until([&] { return rec.finished(server.url("/async")); }));
        EXPECT_EQ(rec.final_of(server.url("/async"))->body, "asynchronous page");
    }
}

TEST(PageArrival, FirstDownloadingReportHasNoStatisticsLaterOnesDo) {
    MonikerLayer layer;
    HttpFixtureServer server;
    HttpResponse pieces;
    pieces.headers = {{"Content-Length", "12"}};
    pieces.pieces = {"abcdef", "ghijkl"};
    pieces.piece_delay_ms = 60;
    server.route("/slow", pieces);
    TUrlDownload download(layer);
    DownloadRecorder rec(download);

    download.Download(server.url("/slow"));
    ASSERT_TRUE(wait_until([&] { return rec.finished(server.url("/slow")); }));
    std::vector<RecordedProgress> downloading;
    for (const auto& p : rec.progress)
        if (p.status == 5) downloading.push_back(p);
    ASSERT_GE(downloading.size(), 2u);
    EXPECT_EQ(downloading[0].elapsed, "");
    EXPECT_EQ(downloading[0].speed, "");
    EXPECT_EQ(downloading[0].estimated, "");
    EXPECT_EQ(downloading[1].elapsed, "00:00:00");
    EXPECT_NE(downloading[1].speed.find(" kb/sec"), std::string::npos);
    for (const auto& p : rec.progress) {
        if (p.status != 5) { EXPECT_EQ(p.elapsed + p.speed + p.estimated, ""); }
    }
}

}  // namespace
