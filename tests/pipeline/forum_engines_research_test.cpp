// The forum stage over real current-engine pages served on loopback, with the real download
// component: with "Read current forum engines" each page is "Good" at its first download; without
// it the prosilver page is downloaded to its last allowed start and ends "Fatal", as before.

#include "tests/support/form_fixture.h"
#include "tests/support/http_fixture_server.h"
#include "tests/support/real_pages.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct ServedPage {
    const char* file;
    const char* engine;  // empty: read by the "row2" rule; "forum list": by its structure
    const char* average;
    const char* max;
    const char* newest_post;
};

// Figures as worked out for the analysis tests (a separate script over the same files), dates
// as worked out for the newest-post tests; vozforums' "Today" is the day of kServedAt.
const ServedPage kPages[] = {
    {"phpbb3-prosilver-fightbb-2018.html", "phpBB 3", "1669", "14286", "2018-03-20"},
    {"xenforo2-talkstats-2018.excerpt.html", "XenForo 2", "37086", "56358", "2018-03-16"},
    {"vbulletin4-thexuniverse-2018.excerpt.html", "vBulletin 4", "196", "591", ""},
    {"vbulletin3-vozforums.html", "vBulletin 3", "544208", "20666360", "2018-03-24"},
    {"phpbb2-alliance-index.html", "", "79", "577", "2002-10-03"},
    {"vbulletin2-graffe.excerpt.html", "forum list", "2503", "14552", "2003-07-04"},
};
constexpr const char* kServedAt = "Sat, 24 Mar 2018 03:00:00 GMT";

class ForumEnginesResearch : public ::testing::Test {
protected:
    void SetUp() override {
        if (!real_pages_present()) GTEST_SKIP() << "real pages not present at " << RAVELMOOT_REAL_FIXTURES;
        form().allow_attemps_ui.set_value(5);
        form().allowed_threads.set_value(3);
    }
    TForm1& form() { return *f.form; }

    std::string serve(const ServedPage& page) {
        const std::string path = std::string("/") + page.file;
        HttpResponse response = HttpResponse::html(read_real_page(page.file));
        response.headers.push_back({"Date", kServedAt});
        server.route(path, response);
        f.add_queue_row(server.url(path), "0", "Download", page.file);
        return server.url(path);
    }

    int hits(const std::string& url) {
        const auto requests = server.requests();
        return static_cast<int>(std::count_if(requests.begin(), requests.end(),
                                              [&](const HttpRequest& r) { return server.url(r.target) == url; }));
    }

    std::vector<std::string> result(const std::string& url) {
        const int k = form().result_list.find_caption(url);
        return k < 0 ? std::vector<std::string>{} : form().result_list.item(k).sub_items;
    }

    void run_forum_stage() {
        form().check_page_for_popular.click();
        f.wait_for_research_over(60000);
        ASSERT_FALSE(form().Timer1.isActive());
        EXPECT_TRUE(f.errors.empty()) << f.errors.front();
    }

    HttpFixtureServer server;
    FormFixture f{/*real_component=*/true, /*timer_interval_ms=*/50};
};

TEST_F(ForumEnginesResearch, EachCurrentEnginePageIsGoodAtItsFirstDownload) {
    std::vector<std::string> urls;
    for (const auto& page : kPages) urls.push_back(serve(page));
    run_forum_stage();

    const auto& log = form().memo1.lines();
    for (std::size_t i = 0; i < std::size(kPages); ++i) {
        const ServedPage& page = kPages[i];
        SCOPED_TRACE(page.file);
        EXPECT_EQ(result(urls[i]), (std::vector<std::string>{page.file, "Good", page.average, page.max, page.newest_post}));
        EXPECT_EQ(hits(urls[i]), 1);
        const std::string& engine = form().result_list.item(form().result_list.find_caption(urls[i])).facts.result.figures.engine;
        const std::string counted = std::string(page.engine) == "forum list" ? "Read as a forum list: "
                                                                              : std::string("Counted as ") + page.engine + ": ";
        const bool counted_line = std::any_of(log.begin(), log.end(), [&](const std::string& line) {
            return line.starts_with(counted) && line.ends_with("(" + urls[i] + ")");
        });
        EXPECT_EQ(engine, page.engine);
        EXPECT_EQ(counted_line, *page.engine != '\0');
    }
    EXPECT_NE(std::find(log.begin(), log.end(), "Counted as phpBB 3: 32 numbers (" + urls[0] + ")"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "Read as a forum list: 18 forums, captions Threads / Posts (" + urls[5] + ")"),
              log.end());
}

TEST_F(ForumEnginesResearch, UncheckedTheProsilverPageEndsFatalAfterItsFiveStarts) {
    form().read_current_engines.set_checked(false);
    form().timeout_normal.set_value(2000);
    form().time_out_advanced.set_value(2000);
    const std::string url = serve(kPages[0]);
    run_forum_stage();
    EXPECT_EQ(result(url), (std::vector<std::string>{kPages[0].file, "Fatal", "", "", ""}));
    EXPECT_EQ(hits(url), 5);
    EXPECT_TRUE(form().result_list.item(0).facts.result.figures.engine.empty());
}

}  // namespace
