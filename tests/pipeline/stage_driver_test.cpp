#include "tests/support/form_fixture.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class StageDriver : public ::testing::Test {
protected:
    void SetUp() override {
        form().download_list.clear();
        form().pipeline.attempts_limit = 3;
    }
    TForm1& form() { return *f.form; }
    // Runs the stage driver for url's page as the completion handler would.
    void judge(const std::string& url, std::vector<std::string> page) {
        if (form().download_list.index_of_ignoring_case(url) < 0) form().download_list.add_line(url);
        std::string text;
        for (const auto& line : page) text += line + "\n";
        form().set_page_text(std::move(text));
        form().pipeline.completed_url = url;
        form().pipeline.completed_slot = form().download_list.index_of_ignoring_case(url);
        form().pipeline.analysis_busy = true;
        form().further_actClick();
    }
    std::vector<std::string> result_row(int k) { return form().result_list.item(k).sub_items; }
    const std::string& queue_result(int r) { return form().google_list.sub_item(r, queue_column::Result); }
    FormFixture f;
};

using Row = std::vector<std::string>;

TEST_F(StageDriver, ForumPageWithoutCountsIsRetriedUntilItsLastStartThenFatal) {
    form().pipeline.research_stage = "Popular Site";
    f.add_queue_row("http://f/", "1", "Download", "Forum F");
    judge("http://f/", {"<p>no table here</p>"});
    EXPECT_EQ(result_row(0), (Row{"Forum F", "Bad Download", "", "", ""}));
    EXPECT_EQ(queue_result(0), "Redownload");

    set_row_attempts(form().google_list, 0, 3);
    judge("http://f/", {"<p>still nothing</p>"});
    ASSERT_EQ(form().result_list.item_count(), 1);
    EXPECT_EQ(result_row(0), (Row{"Forum F", "Fatal", "", "", ""}));
    EXPECT_EQ(queue_result(0), "Finished");
    EXPECT_TRUE(form().download_list.lines().empty());
    EXPECT_FALSE(form().pipeline.analysis_busy);
}

TEST_F(StageDriver, LaterGoodPageOverwritesTheBadOneInPlace) {
    form().pipeline.research_stage = "Popular Site";
    f.add_queue_row("http://a/", "1", "Download", "A");
    f.add_queue_row("http://b/", "1", "Download", "B");
    judge("http://a/", {"nothing"});
    judge("http://b/", {"<td class=row2>8</td>"});
    set_row_attempts(form().google_list, 0, 2);
    judge("http://a/", {"<tr><td class=\"row2\">10</td>", "<tr><td class=\"row2\">21</td>"});
    ASSERT_EQ(form().result_list.item_count(), 2);
    EXPECT_EQ(form().result_list.item(0).caption, "http://a/");
    EXPECT_EQ(result_row(0), (Row{"A", "Good", "15", "21", ""}));
    EXPECT_EQ(result_row(1), (Row{"B", "Good", "8", "8", ""}));
    EXPECT_EQ(queue_result(0), "Finished");
}

TEST_F(StageDriver, SearchPagesAreGoodOnceTheStageHasCollectedSixLinks) {
    form().pipeline.research_stage = "google-forum-query";
    f.add_queue_row("http://s/0", "1", "Download", "Google page 0");
    f.add_queue_row("http://s/1", "1", "Download", "Google page 1");
    std::vector<std::string> five, two;
    for (int i = 0; i < 5; ++i) five.push_back("<a href=\"http://forum" + std::to_string(i) + ".example/\">F</a>");
    for (int i = 5; i < 7; ++i) two.push_back("<a href=\"http://forum" + std::to_string(i) + ".example/\">F</a>");
    judge("http://s/0", five);
    EXPECT_EQ(result_row(0), (Row{"Google page 0", "Bad Download", "5"}));
    judge("http://s/1", two);
    EXPECT_EQ(result_row(1), (Row{"Google page 1", "Good", "7"}));
    EXPECT_EQ(queue_result(0), "Redownload");
    EXPECT_EQ(queue_result(1), "Finished");
}

TEST_F(StageDriver, WithoutAStageThePageIsFinishedWithAnEmptyVerdict) {
    f.add_queue_row("http://x/", "1", "Download", "X");
    judge("http://x/", {"<td class=row2>5</td>"});
    EXPECT_EQ(result_row(0), (Row{"X", ""}));
    EXPECT_EQ(queue_result(0), "Finished");
}

TEST_F(StageDriver, WithoutAQueueRowNothingIsJudgedButTheLineIsReleased) {
    form().pipeline.research_stage = "Popular Site";
    f.add_queue_row("http://other/", "1");
    judge("http://replaced/", {"<td class=row2>5</td>"});
    EXPECT_EQ(form().result_list.item_count(), 0);
    EXPECT_EQ(queue_result(0), "Download");
    EXPECT_TRUE(form().download_list.lines().empty());
    EXPECT_FALSE(form().pipeline.analysis_busy);
}

TEST_F(StageDriver, AFailingAnalysisStillReleasesTheLineAndReachesTheGuard) {
    form().pipeline.research_stage = "google-forum-query";
    f.add_queue_row("http://boom/", "1");
    form().download_list.add_line("http://running/");
    form().get_urls_from_google_list.on_click = [] { throw AppError("analysis failed"); };
    form().guarded([&] { judge("http://boom/", {"x"}); });
    EXPECT_EQ(f.errors, (std::vector<std::string>{"analysis failed"}));
    EXPECT_EQ(form().download_list.lines(), (std::vector<std::string>{"http://running/"}));
    EXPECT_FALSE(form().pipeline.analysis_busy);
}

}  // namespace
