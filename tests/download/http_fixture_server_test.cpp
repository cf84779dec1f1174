// The fixture server on its own thread, checked with plain blocking libcurl calls, so that a
// fault in it is not mistaken for a fault of the download engine.

#include "tests/support/http_fixture_server.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

namespace {

struct Fetched {
    CURLcode code = CURLE_OK;
    long status = 0;
    std::string body;
    std::string headers;
};

std::size_t append(char* data, std::size_t size, std::size_t count, void* target) {
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

Fetched fetch(const std::string& url, const std::string& post = {}, bool raw = false) {
    Fetched out;
    CURL* easy = curl_easy_init();
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, append);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &out.body);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, append);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &out.headers);
    curl_easy_setopt(easy, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, 5000L);
    if (raw) curl_easy_setopt(easy, CURLOPT_HTTP_CONTENT_DECODING, 0L);
    if (!post.empty()) curl_easy_setopt(easy, CURLOPT_POSTFIELDS, post.c_str());
    out.code = curl_easy_perform(easy);
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &out.status);
    curl_easy_cleanup(easy);
    return out;
}

TEST(HttpFixtureServer, AnswersRoutesFallbackAndLogsRequests) {
    HttpFixtureServer server(HttpFixtureServer::Threading::OwnThread);
    server.route("/page", HttpResponse::html("<p>hi</p>"));
    server.route("/q?x=1", HttpResponse::text("exact target"));
    server.fallback([](const HttpRequest& r) { return HttpResponse::text(r.method + " " + r.path + " " + r.query + " " + r.body); });

    EXPECT_EQ(fetch(server.url("/page")).body, "<p>hi</p>");
    EXPECT_EQ(fetch(server.url("/q?x=1")).body, "exact target");
    const Fetched echoed = fetch(server.url("/other?a=b"), "abc");
    EXPECT_EQ(echoed.body, "POST /other a=b abc");

    const auto log = server.requests();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[2].method, "POST");
    EXPECT_EQ(log[2].target, "/other?a=b");
    EXPECT_EQ(log[2].header("content-length"), "3");
    EXPECT_NE(log[2].head.find("POST /other?a=b HTTP/1.1\r\n"), std::string::npos);
}

TEST(HttpFixtureServer, ShapesTheAnswer) {
    HttpFixtureServer server(HttpFixtureServer::Threading::OwnThread);
    HttpResponse chunked;
    chunked.pieces = {"one ", "two ", "three"};
    chunked.framing = HttpResponse::Framing::Chunked;
    chunked.piece_delay_ms = 20;
    server.route("/chunked", chunked);
    HttpResponse generated;
    generated.generated_size = 3 * 1024 * 1024 + 7;
    server.route("/big", generated);
    HttpResponse cut;
    cut.body = std::string(1000, 'x');
    cut.cut_after = 100;
    server.route("/cut", cut);
    server.route("/moved", HttpResponse::redirect("/elsewhere", 301));
    HttpResponse until_close;
    until_close.body = "to the end";
    until_close.framing = HttpResponse::Framing::UntilClose;
    server.route("/until-close", until_close);

    const Fetched pieces = fetch(server.url("/chunked"));
    EXPECT_EQ(pieces.body, "one two three");
    EXPECT_NE(pieces.headers.find("Transfer-Encoding: chunked"), std::string::npos);

    const Fetched big = fetch(server.url("/big"));
    ASSERT_EQ(big.body.size(), generated.generated_size);
    EXPECT_EQ(big.body[123456], generated_body_byte(123456));

    const Fetched broken = fetch(server.url("/cut"));
    EXPECT_EQ(broken.code, CURLE_PARTIAL_FILE);
    EXPECT_EQ(broken.body.size(), 100u);

    const Fetched moved = fetch(server.url("/moved"));
    EXPECT_EQ(moved.status, 301);
    EXPECT_NE(moved.headers.find("Location: /elsewhere"), std::string::npos);

    EXPECT_EQ(fetch(server.url("/until-close")).body, "to the end");
    EXPECT_EQ(fetch(server.url("/nothing-here")).status, 404);
}

}  // namespace
