#include "tests/support/fixture_web.h"
#include "tests/support/form_fixture.h"
#include "tests/support/searx_instance.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <map>

namespace {

// A whole research with "searx / SearXNG": Debian's searx on loopback reads the fixture web's
// result pages with an xpath engine and answers Ravelmoot in JSON; the forum stage then rates the
// fixture forums exactly as after the Google request.
TEST(SearxResearch, FromStartSearchToTheForumResults) {
    if (SearxInstance::program().empty())
        GTEST_SKIP() << "Debian's searx is not installed (apt-get install searx, or scripts/setup.sh): "
                        "the whole research through searx is not run";
    FixtureWeb web;
    SearxInstance searx(web.host());
    ASSERT_TRUE(searx.ready()) << searx.error();

    FormFixture f(/*real_component=*/true, /*timer_interval_ms=*/50);
    TForm1& form = *f.form;
    form.search_service.set_item_index(search_service_index("searx"));
    EXPECT_EQ(form.search_host.text(), "http://127.0.0.1:8888");
    form.search_host.set_text(searx.base_url());
    form.dig_level_ui.set_value(20);  // two searx pages of ten
    form.allow_attemps_ui.set_value(3);
    form.allowed_threads.set_value(3);
    form.timeout_normal.set_value(5000);
    form.time_out_advanced.set_value(1500);

    form.Button4.click();
    ASSERT_EQ(form.google_list.item_count(), 2);
    EXPECT_EQ(form.google_list.item(1).caption,
              searx.base_url() + "/search?q=%22forum%20index%22%20software%20marketing&format=json&pageno=2");
    EXPECT_EQ(form.google_list.sub_item(1, queue_column::Description), "searx page 1");
    ASSERT_TRUE(f.wait_for_research_over(90000)) << "stage " << form.pipeline.research_stage;
    EXPECT_TRUE(f.errors.empty()) << f.errors.front();
    EXPECT_GE(web.hits("/search"), 2);

    const auto& forums = fixture_web::forums();
    ASSERT_EQ(form.google_list.item_count(), static_cast<int>(forums.size()));
    for (std::size_t i = 0; i < forums.size(); ++i) {
        EXPECT_EQ(form.google_list.item(static_cast<int>(i)).caption, web.forum_url(forums[i]));
        EXPECT_EQ(form.google_list.sub_item(static_cast<int>(i), queue_column::Description), forums[i].description);
    }
    std::map<std::string, std::vector<std::string>> results;
    for (const auto& row : form.result_list.items()) results[row.caption] = row.sub_items;
    for (const auto& forum : forums) {
        if (forum.verdict.empty()) continue;
        EXPECT_EQ(results[web.forum_url(forum)],
                  (std::vector<std::string>{forum.description, forum.verdict, forum.average, forum.maximum,
                                            fixture_web::newest_post(forum)}))
            << forum.name;
    }
}

}  // namespace
