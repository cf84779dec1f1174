#include "analysis/search_readers.h"
#include "tests/support/form_fixture.h"
#include "tests/support/http_fixture_server.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool logged(const TForm1& form, const std::string& line) {
    const auto& lines = form.memo1.lines();
    return std::count(lines.begin(), lines.end(), line) == 1;
}

bool log_holds(const TForm1& form, const std::string& part) {
    const auto& lines = form.memo1.lines();
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

const SearchService& service(const char* name) { return search_service_at(search_service_index(name)); }

TEST(SearchServiceStage, LogLinesForRefusalsBotChecksOddAnswersAndAnEmptySearch) {
    FormFixture f;
    TForm1& form = *f.form;
    form.google_pop_auto.set_checked(false);

    // searx answering 403: the early report says how to switch JSON on, the final one adds nothing.
    form.search_service.set_item_index(search_service_index("searx"));
    form.Button4.click();
    std::string url = form.google_list.item(0).caption;
    form.download_completed(url, 403, E_ABORT);
    form.download_completed(url, 403, E_ABORT, /*line_released=*/true);
    EXPECT_TRUE(logged(form, service("searx").refused_hint));

    // searx sending its HTML page: one line saying so, no link.
    form.Timer1Timer();
    url = form.download_list.lines().at(0);
    form.download_data(url, "<!DOCTYPE html>\n<html><body>results</body></html>\n");
    form.download_completed(url, 200, S_OK);
    EXPECT_TRUE(log_holds(form, "sent an HTML page (it begins: <!DOCTYPE html>"));
    EXPECT_EQ(form.google_res.item_count(), 0);

    // DuckDuckGo's bot check by status: a page with a result still gives none.
    form.search_service.set_item_index(search_service_index("duckduckgo"));
    form.Button4.click();
    ASSERT_EQ(form.google_list.item_count(), 1);
    url = form.download_list.lines().at(0);
    form.download_data(url, "<a class=\"result__a\" href=\"https://forum.example/board/\">Board</a>");
    form.download_completed(url, 202, S_OK);
    EXPECT_TRUE(logged(form, service("duckduckgo").bot_check_note(kWindowSettingWords)));
    EXPECT_EQ(form.google_res.item_count(), 0);

    // A search stage that collects nothing ends with one line saying why and what to do.
    form.search_service.set_item_index(search_service_index("google"));
    form.dig_level_ui.set_value(0);
    form.Button4.click();
    EXPECT_FALSE(form.Timer1.isActive());
    EXPECT_TRUE(logged(form, service("google").nothing_found(kWindowSettingWords)));
}

// Through the real download component: the key and Accept headers reach the service's own
// address only; the redirect to another host and the forum on the service's own host get neither.
TEST(SearchServiceStage, KeyHeaderOnlyToTheServicesOwnHost) {
    HttpFixtureServer api;
    HttpFixtureServer elsewhere;
    const auto answer = [&](const char* title) {
        return HttpResponse::text(R"({"web":{"results":[{"url":")" + api.url("/forum/index.php") + R"(","title":")" +
                                      title + R"("}]}})",
                                  "application/json");
    };
    api.route("/res/v1/web/search", [&](const HttpRequest& r) {
        return r.query.find("offset=1") != std::string::npos ? HttpResponse::redirect(elsewhere.url("/moved")) : answer("Own");
    });
    elsewhere.route("/moved", answer("Moved"));
    api.route("/forum/index.php", HttpResponse::html("<tr><td class=\"row2\">12</td></tr>\n"));

    FormFixture f(/*real_component=*/true, /*timer_interval_ms=*/20);
    TForm1& form = *f.form;
    form.search_service.set_item_index(search_service_index("brave"));
    form.search_host.set_text(api.base_url());
    form.api_key.set_text("secret-key");
    form.dig_level_ui.set_value(40);  // two pages of twenty
    form.allow_attemps_ui.set_value(1);
    form.Button4.click();
    ASSERT_EQ(form.google_list.item_count(), 2);
    f.wait_for_research_over(30000);
    ASSERT_EQ(form.pipeline.research_stage, "Popular Site");

    int searches = 0;
    int forum_pages = 0;
    for (const auto& request : api.requests()) {
        const bool search = request.path == "/res/v1/web/search";
        searches += search;
        forum_pages += request.path == "/forum/index.php";
        EXPECT_EQ(request.header("X-Subscription-Token"), search ? "secret-key" : "") << request.target;
        EXPECT_EQ(request.header("Accept") == "application/json", search) << request.target;
    }
    EXPECT_GE(searches, 2);
    EXPECT_GE(forum_pages, 1);
    ASSERT_FALSE(elsewhere.requests().empty());
    for (const auto& request : elsewhere.requests()) {
        EXPECT_FALSE(request.has_header("X-Subscription-Token"));
        EXPECT_EQ(request.head.find("secret-key"), std::string::npos);
    }
    // The key is nowhere in the log or the page copies.
    for (const auto& line : form.memo1.lines()) EXPECT_EQ(line.find("secret-key"), std::string::npos) << line;
}

}  // namespace
