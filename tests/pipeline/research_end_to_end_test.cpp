#include "tests/support/fixture_web.h"
#include "tests/support/form_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <map>

namespace {

// A whole research against the fixture web with the real download component: search pages,
// link collection, the forum stage with retries, and the results table.
TEST(ResearchEndToEnd, FromStartSearchToTheForumResults) {
    FixtureWeb web;
    FormFixture f(/*real_component=*/true, /*timer_interval_ms=*/50);
    TForm1& form = *f.form;
    form.search_host.set_text(web.host());
    form.dig_level_ui.set_value(200);
    form.allowed_threads.set_value(3);
    form.allow_attemps_ui.set_value(3);
    form.timeout_normal.set_value(400);
    form.time_out_advanced.set_value(400);

    int most_running = 0;
    QObject::connect(&form.download_list, &Memo::line_added, [&] {
        most_running = std::max(most_running, form.download_list.count());
    });

    form.Button4.click();
    EXPECT_EQ(form.google_list.item_count(), 2);
    ASSERT_TRUE(f.wait_for_research_over(60000)) << "stage " << form.pipeline.research_stage;
    EXPECT_TRUE(f.errors.empty()) << f.errors.front();

    // The search pages were asked for with the request format, page 0 twice (too few links at first).
    EXPECT_EQ(web.hits("/search"), 3);

    // The forum queue holds the de-duplicated links of both result pages, in page order.
    const auto& forums = fixture_web::forums();
    ASSERT_EQ(form.google_list.item_count(), static_cast<int>(forums.size()));
    for (std::size_t i = 0; i < forums.size(); ++i) {
        EXPECT_EQ(form.google_list.item(static_cast<int>(i)).caption, web.forum_url(forums[i]));
        EXPECT_EQ(form.google_list.sub_item(static_cast<int>(i), queue_column::Description), forums[i].description);
    }
    EXPECT_LE(most_running, 3);
    EXPECT_GE(most_running, 2);

    std::map<std::string, std::vector<std::string>> results;
    for (const auto& row : form.result_list.items()) results[row.caption] = row.sub_items;
    for (const auto& forum : forums) {
        const auto url = web.forum_url(forum);
        if (forum.verdict.empty()) {
            EXPECT_EQ(results.count(url), 0u) << forum.name;
            EXPECT_EQ(form.google_list.sub_item(form.google_list.find_caption(url), queue_column::Attemps), "3");
            continue;
        }
        ASSERT_EQ(results.count(url), 1u) << forum.name;
        EXPECT_EQ(results[url], (std::vector<std::string>{forum.description, forum.verdict, forum.average, forum.maximum,
                                            fixture_web::newest_post(forum)}))
            << forum.name;
    }
    EXPECT_EQ(web.hits("/epsilon/index.php"), 2);
    EXPECT_EQ(form.google_list.sub_item(form.google_list.find_caption(web.forum_url(forums[5])), queue_column::Status),
              "Cancelled ...  Not Found");
    EXPECT_EQ(form.google_list.sub_item(form.google_list.find_caption(web.forum_url(forums[6])), queue_column::Status),
              "The Internet connection has timed out.  OK");

    form.Timer2Timer();
    EXPECT_EQ(form.Label12.caption(), "9 / 9  (100 % downloaded)");
    EXPECT_EQ(form.status_label.caption(), "Research finished: 7 forums rated, 5 Good");
    // The pages were stored under their host's name (all forums share the loopback host).
    form.FileListBox1.update();
    std::string port_host = web.host();
    port_host.replace(port_host.find(':'), 1, "_");
    EXPECT_EQ(form.FileListBox1.items(), std::vector<std::string>{port_host + ".htm"});
}

}  // namespace

namespace {

// Closing the window while pages are still downloading: the component goes with the window and
// nothing that arrives afterwards may reach the destroyed window model.
TEST(ResearchEndToEnd, ClosingTheWindowMidDownloadIsHarmless) {
    FixtureWeb web;
    FormFixture f(/*real_component=*/true, /*timer_interval_ms=*/50);
    for (const auto& forum : fixture_web::forums())
        f.form->google_list.add_item(ListItem{web.forum_url(forum), {forum.description, "", "0", "Download"}});
    f.form->allowed_threads.set_value(9);
    f.form->check_page_for_popularClick();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_FALSE(f.form->download_list.lines().empty());  // the stalled forum is still running

    f.form.reset();
    clock.restart();
    while (clock.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(f.layer.binding_count(), 0u);
}

}  // namespace

namespace {

// A 404 is reported early and again when its binding stops. Should the URL be listed anew in
// between (the scheduler starting it again), the second report must not take that line away.
TEST(ResearchEndToEnd, TheSecondReportOfARefusedDownloadKeepsANewerLine) {
    FixtureWeb web;
    FormFixture f(/*real_component=*/true, /*timer_interval_ms=*/50);
    TForm1& form = *f.form;
    const std::string url = web.forum_url(fixture_web::forums()[5]);  // answers 404
    form.download_list.clear();
    form.google_list.add_item(ListItem{url, {"Zeta", "", "1", "Download"}});
    form.download_list.add_line(url);
    int failures = 0;
    QObject::connect(&form.memo1, &Memo::line_added, [&](int index) {
        if (form.memo1.full_line(index).rfind("Cancelled ...", 0) == 0 && ++failures == 1)
            form.download_list.add_line(url);
    });
    form.UrlDownload1.Download(url);
    QElapsedTimer clock;
    clock.start();
    while (f.layer.binding_count() > 0 && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(failures, 2);
    EXPECT_EQ(form.download_list.lines(), std::vector<std::string>{url});
}

}  // namespace
