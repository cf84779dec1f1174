// Downloads that cannot start or that fail on the way, and the codes they end with.

#include "download/memory_stream.h"
#include "download/moniker_layer.h"
#include "tests/download/download_recorder.h"
#include "tests/support/http_fixture_server.h"

#include <QHostAddress>
#include <QTcpServer>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(Failure, UrlsThatAreNotHttpAreRefusedInsideDownload) {
    MonikerLayer layer;
    HttpFixtureServer server;
    TUrlDownload download(layer);
    DownloadRecorder rec(download);
    const std::vector<std::string> refused = {
        "not a url", "", "www.example.com/page", "file:///home/http/x", "dict://127.0.0.1:2628/d:x",
        "ftp://127.0.0.1/x", "http://", "javascript:alert(1)", std::string("http://a\0b/", 11)};
    for (const auto& url : refused) {
        rec.events.clear();
        download.Download(url);
        ASSERT_EQ(rec.events.size(), 1u) << url;
        EXPECT_EQ(rec.events[0], "complete early " + std::to_string(MK_E_SYNTAX)) << url;
    }
    EXPECT_EQ(download.active_count(), 0u);
    EXPECT_EQ(layer.binding_count(), 0u);
    run_for(50);
    EXPECT_EQ(rec.completions.size(), refused.size()) << "nothing more arrives later";
    EXPECT_EQ(server.request_count(), 0u);
    EXPECT_EQ(HResultToStr(MK_E_SYNTAX), "A moniker could not be created because of invalid URL syntax.");
}

TEST(Failure, RefusedConnectionAndUnknownHostGiveTheirCodes) {
    MonikerLayer layer;
    TUrlDownload download(layer);
    DownloadRecorder rec(download);
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const std::string refused = "http://127.0.0.1:" + std::to_string(closed.serverPort()) + "/";
    closed.close();
    const std::string unknown = "http://no-such-host.invalid/page";

    download.Download(refused);
    download.Download(unknown);
    ASSERT_TRUE(wait_until([&] { return rec.finished(refused) && rec.finished(unknown); }, 10000));
    EXPECT_EQ(rec.final_of(refused)->result, INET_E_CANNOT_CONNECT);
    EXPECT_EQ(rec.final_of(unknown)->result, INET_E_RESOURCE_NOT_FOUND);
    EXPECT_EQ(rec.final_of(refused)->response_code, 0u);
    EXPECT_EQ(rec.completions.size(), 2u);
}

TEST(Failure, CutConnectionKeepsWhatArrivedAndFails) {
    MonikerLayer layer;
    HttpFixtureServer server;
    HttpResponse cut = HttpResponse::html(std::string(10000, 'x'));
    cut.cut_after = 4000;
    server.route("/cut", cut);
    TUrlDownload download(layer);
    DownloadRecorder rec(download);

    download.Download(server.url("/cut"));
    ASSERT_TRUE(wait_until([&] { return rec.finished(server.url("/cut")); }));
    const auto* done = rec.final_of(server.url("/cut"));
    EXPECT_EQ(done->result, INET_E_DOWNLOAD_FAILURE);
    EXPECT_EQ(done->response_code, 200u);
    EXPECT_EQ(done->body, std::string(4000, 'x'));
}

TEST(Failure, HttpsToAServerThatSpeaksNoTlsIsASecurityProblem) {
    MonikerLayer layer;
    HttpFixtureServer server;
    TUrlDownload download(layer);
    DownloadRecorder rec(download);
    const std::string url = "https://127.0.0.1:" + std::to_string(server.port()) + "/";
    download.Download(url);
    ASSERT_TRUE(wait_until([&] { return rec.finished(url); }));
    EXPECT_EQ(rec.final_of(url)->result, INET_E_SECURITY_PROBLEM);
}

TEST(Failure, BodyBeyondTheCapEndsTheDownloadAndItsMemory) {
    MonikerLayer layer;
    HttpFixtureServer server;
    HttpResponse huge;
    huge.generated_size = 70ull * 1024 * 1024;
    server.route("/huge", huge);
    TUrlDownload download(layer);
    std::uint64_t data_bytes = 0;
    std::size_t stream_size = 0;
    HRESULT result = S_OK;
    bool done = false;
    download.OnData = [&](TBSCB&, std::vector<std::uint8_t>&, Cardinal& length) { data_bytes += length; };
    download.OnComplete = [&](TBSCB&, const TMemoryStream* stream, HRESULT r) {
        stream_size = stream ? stream->size() : 0;
        result = r;
        done = stream != nullptr;
    };

    download.Download(server.url("/huge"));
    ASSERT_TRUE(wait_until([&] { return done; }, 60000));
    EXPECT_EQ(result, INET_E_CANNOT_LOAD_DATA);
    EXPECT_LE(stream_size, 64u * 1024 * 1024);
    EXPECT_EQ(data_bytes, stream_size);
    EXPECT_EQ(layer.binding_count(), 0u) << "the binding and its buffered bytes are gone";
}

TEST(Failure, RepliesThatAreNoUsableHttpAreAStrangeServerReply) {
    DownloadBench bench;
    const std::string replies[] = {"SSH-2.0-not a web server\r\n\r\n", "<html>HTTP/0.9 has no head</html>",
                                   "HTTP/1.1 200 OK\r\nX-Huge: " + std::string(1 << 20, 'h') + "\r\n\r\nbody"};
    for (const auto& reply : replies) {
        const std::string path = "/" + std::to_string(reply.size());
        HttpResponse raw;
        raw.raw = reply;
        raw.close = true;
        bench.server.route(path, raw);
        ASSERT_TRUE(bench.fetch(path));
        EXPECT_EQ(bench.rec.final_of(bench.server.url(path))->result, INET_E_DATA_NOT_AVAILABLE) << reply.substr(0, 20);
    }
}

TEST(Failure, AThrowingDataHandlerFailsTheDownload) {
    DownloadBench bench;
    bench.server.route("/page", HttpResponse::html(std::string(3000, 'a')));
    bench.download.OnData = [](TBSCB&, std::vector<std::uint8_t>&, Cardinal&) { throw std::runtime_error("lost"); };
    ASSERT_TRUE(bench.fetch("/page"));
    EXPECT_EQ(bench.rec.final_of(bench.server.url("/page"))->result, E_FAIL);
}

}  // namespace
