// What the server receives: header text, range, verbs and bodies.

#include "tests/download/download_recorder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

namespace {

// Answers every request with its method; fetch gives the request as the server saw it.
struct Bench : DownloadBench {
    Bench() {
        server.fallback([](const HttpRequest& r) { return HttpResponse::text("seen " + r.method); });
    }
    HttpRequest fetch(const std::string& path) {
        const std::size_t before = server.request_count();
        EXPECT_TRUE(DownloadBench::fetch(path));
        const auto requests = server.requests();
        return requests.size() > before ? requests[before] : HttpRequest{};
    }
};

TEST(RequestShape, HeaderTextCarriesUserAgentRangeAndLinesAsGiven) {
    Bench b;
    b.download.UserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Win32)";
    b.download.Range.RangeBegin = 1000;
    const HttpRequest first = b.fetch("/one");
    EXPECT_EQ(b.rec.request_headers.at(0),
              "User-agent: Mozilla/4.0 (compatible; MSIE 6.0; Win32)\r\nRange: bytes=1000-\r\n"
              "Content-Type: application/x-www-form-urlencoded");
    EXPECT_EQ(first.header("User-Agent"), "Mozilla/4.0 (compatible; MSIE 6.0; Win32)");
    EXPECT_EQ(first.header("Range"), "bytes=1000-");
    EXPECT_EQ(first.header("Content-Type"), "application/x-www-form-urlencoded");

    // Two lines without their own line breaks run together into one header line.
    b.download.Range = {0, 499};
    b.download.UserAgent.clear();
    b.download.AdditionalHeader = {"X-One: 1", "X-Two: 2"};
    const HttpRequest second = b.fetch("/two");
    EXPECT_EQ(b.rec.request_headers.at(1), "Range: bytes=0-499\r\nX-One: 1X-Two: 2");
    EXPECT_EQ(second.header("X-One"), "1X-Two: 2");
    EXPECT_FALSE(second.has_header("X-Two"));
    EXPECT_FALSE(second.has_header("User-Agent"));

    // No range with 0 and 0; an empty first line means no lines; the user agent still goes.
    b.download.Range = {0, 0};
    b.download.UserAgent = "agent";
    b.download.AdditionalHeader = {"", "X-Ignored: 1"};
    const HttpRequest third = b.fetch("/three");
    EXPECT_EQ(b.rec.request_headers.at(2), "User-agent: agent\r\n");
    EXPECT_FALSE(third.has_header("Range"));
    EXPECT_FALSE(third.has_header("X-Ignored"));
}

TEST(RequestShape, ProgressAddsTheRangeBegin) {
    Bench b;
    b.server.route("/part", HttpResponse::html("0123456789"));
    b.download.Range = {500, 0};
    b.fetch("/part");
    const auto& end = b.rec.progress.back();
    EXPECT_EQ(end.status, 6u);
    EXPECT_EQ(end.progress, 510u);
    EXPECT_EQ(end.progress_max, 510u);
}

TEST(RequestShape, PostSendsTheDataWithATerminatingZero) {
    Bench b;
    b.download.SetMethod(TBindVerbOption::Post);
    b.download.PostData = "a=b";
    const HttpRequest posted = b.fetch("/post");
    EXPECT_EQ(posted.method, "POST");
    EXPECT_EQ(posted.body, std::string("a=b\0", 4));
    EXPECT_EQ(posted.header("Content-Length"), "4");
    EXPECT_EQ(b.rec.completions.at(0).body, "seen POST");
}

TEST(RequestShape, PutSendsTheFileAndCustomVerbsGoAsGiven) {
    Bench b;
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/body.bin";
    std::ofstream(path, std::ios::binary) << std::string("put\0body", 8);
    b.download.SetMethod(TBindVerbOption::Put);
    b.download.PutFileName = path;
    const HttpRequest put = b.fetch("/put");
    EXPECT_EQ(put.method, "PUT");
    EXPECT_EQ(put.body, std::string("put\0body", 8));

    b.download.PutFileName = path + ".missing";
    const HttpRequest unreadable = b.fetch("/put-missing");
    EXPECT_EQ(unreadable.method, "PUT");
    EXPECT_EQ(unreadable.body, "");

    b.download.SetMethod(TBindVerbOption::Custom);
    b.download.CustomVerb = "PROPFIND";
    EXPECT_EQ(b.fetch("/custom").method, "PROPFIND");
    b.download.CustomVerb.clear();
    EXPECT_EQ(b.fetch("/custom-empty").method, "GET");
}

}  // namespace
