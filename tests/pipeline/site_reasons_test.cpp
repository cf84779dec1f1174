#include "tests/support/fixture_web_pages.h"
#include "tests/support/form_fixture.h"
#include "tests/support/http_fixture_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

// One site per loopback address: 127.0.0.2, 127.0.0.3, ...
class Sites {
public:
    HttpFixtureServer& site(int n) {
        auto& server = servers_[n];
        if (!server) server = std::make_unique<HttpFixtureServer>(HttpFixtureServer::Threading::CallerThread, address(n));
        return *server;
    }
    static std::string address(int n) { return "127.0.0." + std::to_string(n); }

private:
    std::map<int, std::unique_ptr<HttpFixtureServer>> servers_;
};

std::string counted_page() {
    return fixture_web::forum_page({"f", "F", "F", fixture_web::Behaviour::Counts, {10, 21}, "Good", "15", "21"}, true);
}

HttpResponse with_headers(HttpResponse response, HttpHeaders headers) {
    response.headers = std::move(headers);
    return response;
}

// A forum stage over the queue as given, to its end.
void run_forum_stage(FormFixture& f, int limit_ms) {
    f.form->check_page_for_popular.click();
    ASSERT_TRUE(f.wait_for_research_over(limit_ms));
    EXPECT_TRUE(f.errors.empty()) << f.errors.front();
}

std::string reason_of(const TForm1& form, const std::string& url) {
    const int result = form.result_list.find_caption(url);
    return result >= 0 ? form.result_list.item(result).facts.reason_text()
                       : form.google_list.item(form.google_list.find_caption(url)).facts.reason_text();
}

TEST(SiteReasons, EveryForumWithoutFiguresSaysWhy) {
    Sites sites;
    FormFixture f(/*real_component=*/true, /*timer_interval_ms=*/50);
    TForm1& form = *f.form;
    form.allow_attemps_ui.set_value(1);
    form.allowed_threads.set_value(10);
    form.timeout_normal.set_value(500);

    std::string jsd_page = counted_page();
    jsd_page.insert(jsd_page.rfind("</body>"), "<script src=\"/cdn-cgi/challenge-platform/scripts/jsd/main.js\"></script>");
    sites.site(2).route("/", with_headers(HttpResponse::html("<title>Just a moment...</title>", 403),
                                          {{"cf-mitigated", "challenge"}}));
    sites.site(3).route("/", HttpResponse::html("<form action=\"./ucp.php?mode=login\" method=\"post\" id=\"login\"></form>"));
    sites.site(4).route("/", HttpResponse::html("<p>A shop, no forum</p>"));
    sites.site(5).route("/", HttpResponse::html("<p>Down for maintenance</p>", 503));
    sites.site(6).route("/", HttpResponse::html(jsd_page));
    sites.site(7).route("/", HttpResponse::html("gone", 404));
    HttpResponse stall = HttpResponse::html("");
    stall.stall = HttpResponse::Stall::BeforeHeaders;
    sites.site(8).route("/", stall);
    sites.site(9).route("/", HttpResponse::redirect("/"));
    HttpResponse huge = HttpResponse::html("");
    huge.generated_size = (64u << 20) + 1;
    sites.site(11).route("/", huge);
    HttpResponse cut = HttpResponse::html(std::string(1000, 'x'));
    cut.cut_after = 10;
    sites.site(12).route("/", cut);
    std::uint16_t closed_port = 0;
    {
        HttpFixtureServer closed(HttpFixtureServer::Threading::CallerThread, Sites::address(10));
        closed_port = closed.port();
    }
    const std::map<std::string, std::string> expected = {
        {sites.site(2).url("/"), "bot check (Cloudflare); try another user agent"},
        {sites.site(3).url("/"), "login required"},
        {sites.site(4).url("/"), "no forum counts on the page"},
        {sites.site(5).url("/"), "HTTP 503 Service Unavailable"},
        {sites.site(6).url("/"), ""},
        {sites.site(7).url("/"), "HTTP 404 Not Found"},
        {sites.site(8).url("/"), "timed out"},
        {sites.site(9).url("/"), "too many redirects"},
        {"http://" + Sites::address(10) + ":" + std::to_string(closed_port) + "/", "cannot connect"},
        {sites.site(11).url("/"), "page over the size cap"},
        {sites.site(12).url("/"), "connection broken"},
    };
    for (const auto& [url, reason] : expected) f.add_queue_row(url);
    run_forum_stage(f, 20000);

    for (const auto& [url, reason] : expected) EXPECT_EQ(reason_of(form, url), reason) << url;
    // The verdicts stay as they were: the page through the bot-check service is rated as usual.
    EXPECT_EQ(form.result_list.sub_item(form.result_list.find_caption(sites.site(6).url("/")), result_column::Verdict), "Good");
    EXPECT_EQ(form.result_list.sub_item(form.result_list.find_caption(sites.site(3).url("/")), result_column::Verdict), "Fatal");
    const auto log = form.memo1.lines();
    EXPECT_NE(std::find(log.begin(), log.end(), "No figures from " + sites.site(3).url("/") + ": login required"), log.end());
}

TEST(SiteReasons, ASiteThatAsksToWaitIsWaitedForWithinTheCap) {
    Sites sites;
    FormFixture f(/*real_component=*/true, /*timer_interval_ms=*/50);
    TForm1& form = *f.form;
    form.allowed_threads.set_value(1);
    form.allow_attemps_ui.set_value(3);

    std::map<std::string, std::vector<Clock::time_point>> arrivals;
    const auto logged = [&arrivals](HttpFixtureServer& site, const std::string& path, auto answer) {
        site.route(path, [&arrivals, &site, path, answer](const HttpRequest&) {
            arrivals[site.url(path)].push_back(Clock::now());
            return answer(arrivals[site.url(path)].size());
        });
    };
    logged(sites.site(2), "/a", [](std::size_t n) {
        return n == 1 ? with_headers(HttpResponse::html("slow down", 429), {{"Retry-After", "3"}}) : HttpResponse::html(counted_page());
    });
    logged(sites.site(2), "/b", [](std::size_t) { return HttpResponse::html(counted_page()); });
    logged(sites.site(3), "/c", [](std::size_t) { return HttpResponse::html(counted_page()); });
    logged(sites.site(4), "/d", [](std::size_t) { return with_headers(HttpResponse::html("later", 429), {{"Retry-After", "600"}}); });
    logged(sites.site(5), "/e", [](std::size_t) { return with_headers(HttpResponse::html("later", 503), {{"Retry-After", "121"}}); });
    const std::string a = sites.site(2).url("/a"), b = sites.site(2).url("/b"), c = sites.site(3).url("/c"),
                      d = sites.site(4).url("/d"), e = sites.site(5).url("/e");
    for (const auto& url : {a, b, c, d, e}) f.add_queue_row(url);
    run_forum_stage(f, 20000);

    ASSERT_EQ(arrivals[a].size(), 2u);
    EXPECT_GE(arrivals[a][1] - arrivals[a][0], std::chrono::seconds(3));
    // The other row of that site waited too; the other sites did not.
    ASSERT_EQ(arrivals[b].size(), 1u);
    EXPECT_GE(arrivals[b][0] - arrivals[a][0], std::chrono::seconds(3));
    EXPECT_LT(arrivals[c][0] - arrivals[a][0], std::chrono::seconds(3));
    for (const auto& url : {a, b, c})
        EXPECT_EQ(form.result_list.sub_item(form.result_list.find_caption(url), result_column::Verdict), "Good") << url;
    EXPECT_EQ(reason_of(form, a), "");
    // Past the cap the row ends at once with its reason, its starts unspent.
    EXPECT_EQ(arrivals[d].size(), 1u);
    EXPECT_EQ(reason_of(form, d), "site asks to wait too long (Retry-After: 600)");
    EXPECT_EQ(form.google_list.sub_item(form.google_list.find_caption(d), queue_column::Result), "Finished");
    EXPECT_EQ(arrivals[e].size(), 1u);
    EXPECT_EQ(reason_of(form, e), "site asks to wait too long (Retry-After: 121)");
    EXPECT_EQ(form.result_list.sub_item(form.result_list.find_caption(e), result_column::Verdict), "Fatal");
}

}  // namespace
