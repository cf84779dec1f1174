// The search key against URLs built to make the key rule and libcurl disagree: each one is where an
// answer page redirects to, fetched through the window model's own key rule and the real download
// layer. The key may reach the service's own address only, never another server.

#include "tests/support/form_fixture.h"
#include "tests/support/http_fixture_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr const char* kKey = "secret-key";

// Hostile forms first, then random combinations of the same parts. {own} and {other} stand for
// the two servers' "127.0.0.1:port", {own_port} and {other_port} for their ports.
std::vector<std::string> redirect_targets(const std::string& own, const std::string& other, int generated) {
    const std::pair<std::string, std::string> names[] = {{"{own}", own},
                                                         {"{other}", other},
                                                         {"{own_port}", own.substr(own.find(':') + 1)},
                                                         {"{other_port}", other.substr(other.find(':') + 1)}};
    const auto fill = [&](std::string text) {
        for (const auto& [name, value] : names)
            for (std::size_t at; (at = text.find(name)) != std::string::npos;) text.replace(at, name.size(), value);
        return text;
    };
    std::vector<std::string> targets;
    for (const char* hostile : {
             "http://{own}\\@{other}/", "http://{own}:\\@{other}/", "http://{own}@{other}/", "http://{other}\\@{own}/",
             "http://{other}/\\@{own}/", "http://{other}?@{own}/", "http://{other}#@{own}/",
             "http://\xC3\xA9:\xFF@{other}/", "http://user:pw@{own}/", "http://%40@{own}/",
             "http://127%2e0%2e0%2e1:{other_port}/", "HTTP://{own}/upper", "https://{own}/", "//{other}/", "/relative",
             "http:{other}/", "http:/{other}/", "http:\\\\{other}\\", "http://[::1]:{own_port}/",
             "http://localhost:{other_port}/", "http://{own}:/", "http://{own}/\xFF\xFE", "http://0x7f.1:{own_port}/",
         })
        targets.push_back(fill(hostile));

    const std::vector<std::string> schemes = {"http://", "HTTP://", "hTTp://", "https://", "//", "http:\\\\", "http:"};
    const std::vector<std::string> users = {"",          "u@",        "u:p@",         "{own}@",     "{own}\\@",
                                            "{own}:\\@", ":@",        "@",            "a@b@",       "%40@",
                                            "\xC3\xA9@", "\xFF:\xFE@", "{own}%3a@",   "{other}\\@", "[::1]@"};
    const std::vector<std::string> hosts = {"127.0.0.1",  "localhost",   "LocalHost", "127.1",
                                            "2130706433", "0x7f.0.0.1",  "127.0.0.01", "[::1]",
                                            "127%2e0.0.1", "[::ffff:127.0.0.1]"};
    const std::vector<std::string> ports = {":{own_port}", ":{other_port}", ":0{own_port}", "", ":"};
    const std::vector<std::string> tails = {"/",        "",           "\\",          "/\\@{own}/", "?@{own}", "#@{own}",
                                            "\\@{own}/", "/%2e%2e/", "/\xC3\xA9", ":{other}@{own}/", "\\\\@{other}/"};
    std::mt19937 random(20);
    const auto pick = [&](const std::vector<std::string>& parts) { return parts[random() % parts.size()]; };
    for (int i = 0; i < generated; ++i)
        targets.push_back(fill(pick(schemes) + pick(users) + pick(hosts) + pick(ports) + pick(tails)));
    return targets;
}

TEST(SearchKeyOrigin, RedirectsNeverCarryTheKeyAwayFromTheServicesAddress) {
    HttpFixtureServer api;
    HttpFixtureServer other;
    const std::string own = api.base_url().substr(7);  // "127.0.0.1:port"
    const std::vector<std::string> targets = redirect_targets(own, other.base_url().substr(7), 2000);
    api.route("/answer", [&](const HttpRequest& r) { return HttpResponse::redirect(targets.at(std::stoul(r.query))); });
    api.fallback([](const HttpRequest&) { return HttpResponse::html("own"); });
    other.fallback([](const HttpRequest&) { return HttpResponse::html("other"); });

    FormFixture f(/*real_component=*/true);
    TForm1& form = *f.form;
    SearchInUse& search = form.pipeline.search;
    search.service = &search_service_at(search_service_index("brave"));
    search.base = api.base_url();
    search.key = kKey;
    for (std::size_t i = 0; i < targets.size(); ++i)
        search.page_urls.push_back(api.url("/answer?" + std::to_string(i)));

    // The form's own key rule stays; the pipeline's other handlers are not under test here.
    std::size_t next = 0;
    std::size_t ended = 0;
    TUrlDownload& download = form.UrlDownload1;
    download.TimeOut = 5000;
    download.OnProgress = nullptr;
    download.OnData = nullptr;
    download.OnComplete = [&](TBSCB&, const TMemoryStream* stream, HRESULT) {
        if (!stream) return;
        ++ended;
        if (next < search.page_urls.size()) download.Download(search.page_urls[next++]);
    };
    for (; next < 32; ++next) download.Download(search.page_urls[next]);
    QElapsedTimer clock;
    clock.start();
    while (ended < targets.size() && clock.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_EQ(ended, targets.size());

    std::size_t keyed = 0;
    for (const auto& request : api.requests()) {
        if (request.head.find(kKey) == std::string::npos) continue;
        ++keyed;
        EXPECT_EQ(request.header("X-Subscription-Token"), kKey) << request.head;
        EXPECT_EQ(request.header("Host"), own) << request.head;
        EXPECT_FALSE(request.has_header("Authorization")) << request.head;
    }
    EXPECT_GE(keyed, targets.size());  // every answer page, and the redirects that stay on the service's address
    EXPECT_GT(other.request_count(), 0u);
    for (const auto& request : other.requests()) EXPECT_EQ(request.head.find(kKey), std::string::npos) << request.head;
}

}  // namespace
