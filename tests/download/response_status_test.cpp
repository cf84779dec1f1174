// What the status of a response does: early reports and refusals, redirects, informational
// heads and credential challenges.

#include "tests/download/download_recorder.h"

#include <gtest/gtest.h>

namespace {

struct Bench : DownloadBench {
    void fetch(const std::string& path) { ASSERT_TRUE(DownloadBench::fetch(path)); }
};

TEST(ResponseStatus, NotFoundIsReportedEarlyThenAtTheEndWithoutOnResponse) {
    Bench b;
    b.server.route("/missing", HttpResponse::not_found());
    b.fetch("/missing");
    ASSERT_EQ(b.rec.completions.size(), 2u);
    EXPECT_FALSE(b.rec.completions[0].has_stream);
    EXPECT_EQ(b.rec.completions[0].result, E_ABORT);
    EXPECT_EQ(b.rec.completions[0].response_code, 404u);
    EXPECT_TRUE(b.rec.completions[1].has_stream);
    EXPECT_EQ(b.rec.completions[1].result, E_ABORT);
    EXPECT_EQ(b.rec.completions[1].body, "") << "the refused body is not delivered";
    for (const auto& e : b.rec.events) EXPECT_EQ(e.find("response"), std::string::npos) << e;
    EXPECT_EQ(HResultToStr(b.rec.completions[0].result) + "  " + ResponseCodeToStr(404), "Cancelled ...  Not Found");
}

TEST(ResponseStatus, ServerErrorIsDownloaded) {
    Bench b;
    b.server.route("/broken", HttpResponse::html("<h1>oops</h1>", 500));
    b.fetch("/broken");
    ASSERT_EQ(b.rec.completions.size(), 1u);
    EXPECT_EQ(b.rec.completions[0].result, S_OK);
    EXPECT_EQ(b.rec.completions[0].response_code, 500u);
    EXPECT_EQ(b.rec.completions[0].body, "<h1>oops</h1>");
    EXPECT_NE(std::find(b.rec.events.begin(), b.rec.events.end(), "response 500"), b.rec.events.end());
}

TEST(ResponseStatus, ZeroContentLengthIsReportedAsDoneThenAborted) {
    Bench b;
    b.server.route("/empty", HttpResponse::html(""));
    b.fetch("/empty");
    ASSERT_EQ(b.rec.completions.size(), 2u);
    EXPECT_FALSE(b.rec.completions[0].has_stream);
    EXPECT_EQ(b.rec.completions[0].result, S_OK);
    EXPECT_TRUE(b.rec.completions[1].has_stream);
    EXPECT_EQ(b.rec.completions[1].result, E_ABORT);
}

TEST(ResponseStatus, InformationalHeadsAreSkipped) {
    Bench b;
    HttpResponse raw;
    raw.raw = "HTTP/1.1 103 Early Hints\r\nLink: </s.css>\r\n\r\n"
              "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 5\r\n\r\nhello";
    b.server.route("/hints", raw);
    b.fetch("/hints");
    ASSERT_EQ(b.rec.completions.size(), 1u);
    EXPECT_EQ(b.rec.completions[0].response_code, 200u);
    EXPECT_EQ(b.rec.completions[0].body, "hello");
    EXPECT_EQ(std::count(b.rec.events.begin(), b.rec.events.end(), "response 200"), 1);
}

TEST(ResponseStatus, RedirectIsFollowedWithProgressThreeAndGetAfterPost) {
    Bench b;
    b.server.route("/form", HttpResponse::redirect("/landing", 307));
    b.server.route("/landing", HttpResponse::html("landed"));
    b.download.SetMethod(TBindVerbOption::Post);
    b.download.PostData = "a=1";
    b.fetch("/form");

    ASSERT_EQ(b.rec.completions.size(), 1u);
    EXPECT_EQ(b.rec.completions[0].result, S_OK);
    EXPECT_EQ(b.rec.completions[0].body, "landed");
    EXPECT_EQ(b.rec.completions[0].url, b.server.url("/form")) << "Sender keeps the URL given to Download";
    const auto requests = b.server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[1].method, "GET");
    EXPECT_EQ(requests[1].body, "");
    const auto redirecting = std::find_if(b.rec.progress.begin(), b.rec.progress.end(), [](const auto& p) { return p.status == 3; });
    ASSERT_NE(redirecting, b.rec.progress.end());
    EXPECT_EQ(redirecting->text, b.server.url("/landing"));
    EXPECT_EQ(std::count(b.rec.events.begin(), b.rec.events.end(), "beginning"), 2) << "each request is negotiated";
    EXPECT_EQ(std::count(b.rec.events.begin(), b.rec.events.end(), "response 200"), 1) << "no OnResponse for the redirect";
}

TEST(ResponseStatus, RedirectChainsEndAfterTenRedirects) {
    Bench b;
    b.server.fallback([](const HttpRequest& r) {
        const int n = std::stoi(r.path.substr(r.path.rfind('/') + 1));
        return HttpResponse::redirect("/hop/" + std::to_string(n + 1), 302);
    });
    b.server.route("/ten/10", HttpResponse::html("after ten"));
    for (int i = 0; i < 10; ++i) b.server.route("/ten/" + std::to_string(i), HttpResponse::redirect("/ten/" + std::to_string(i + 1)));

    b.fetch("/ten/0");
    EXPECT_EQ(b.rec.final_of(b.server.url("/ten/0"))->body, "after ten");

    b.fetch("/hop/0");
    const auto* too_many = b.rec.final_of(b.server.url("/hop/0"));
    EXPECT_EQ(too_many->result, INET_E_REDIRECT_FAILED);
    EXPECT_EQ(b.server.requests().size(), 11u + 11u);
}

TEST(ResponseStatus, RedirectToAnotherSchemeIsNeverFetched) {
    Bench b;
    b.server.route("/to-file", HttpResponse::redirect("file:///etc/passwd"));
    b.server.route("/to-dict", HttpResponse::redirect("dict://127.0.0.1:1/x"));
    b.fetch("/to-file");
    b.fetch("/to-dict");
    EXPECT_EQ(b.rec.final_of(b.server.url("/to-file"))->result, INET_E_UNKNOWN_PROTOCOL);
    EXPECT_EQ(b.rec.final_of(b.server.url("/to-file"))->body, "");
    EXPECT_EQ(b.rec.final_of(b.server.url("/to-dict"))->result, INET_E_UNKNOWN_PROTOCOL);
}

TEST(ResponseStatus, BasicChallengeIsAnsweredWithTheComponentsCredentials) {
    Bench b;
    b.server.route("/private", [](const HttpRequest& r) {
        // "user:secret" in Base64.
        if (r.header("Authorization") == "Basic dXNlcjpzZWNyZXQ=") return HttpResponse::html("welcome");
        HttpResponse challenge = HttpResponse::html("who are you?", 401);
        challenge.headers.emplace_back("WWW-Authenticate", "Basic realm=\"forum\"");
        return challenge;
    });
    b.download.Username = "user";
    b.download.Password = "secret";
    b.fetch("/private");
    ASSERT_EQ(b.rec.completions.size(), 1u);
    EXPECT_EQ(b.rec.completions[0].result, S_OK);
    EXPECT_EQ(b.rec.completions[0].body, "welcome");

    // Without credentials the challenge is the answer, and a 401 is refused like any 4xx.
    b.download.Username.clear();
    b.rec.completions.clear();
    b.fetch("/private");
    ASSERT_EQ(b.rec.completions.size(), 2u);
    EXPECT_EQ(b.rec.completions[0].result, E_ABORT);
    EXPECT_EQ(b.rec.completions[0].response_code, 401u);
}

}  // namespace
