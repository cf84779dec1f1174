#include "tests/support/form_fixture.h"

#include <gtest/gtest.h>

namespace {

class Scheduler : public ::testing::Test {
protected:
    void SetUp() override {
        form().download_list.clear();
        form().pipeline.research_stage = "Popular Site";
        form().pipeline.parallel_limit = 2;
        form().pipeline.attempts_limit = 3;
    }
    TForm1& form() { return *f.form; }
    std::vector<std::string> started() const {
        std::vector<std::string> urls;
        for (const auto& s : f.recorder->starts) urls.push_back(s.url);
        return urls;
    }
    const std::string& cell(int row, int k) { return form().google_list.sub_item(row, k); }
    // What the completion of a finished page leaves: line gone, row judged.
    void finish(const std::string& url, RowState result) {
        form().remove_download_line(form().download_list.index_of_ignoring_case(url));
        set_row_state(form().google_list, form().google_list.find_caption(url), result);
    }

    FormFixture f;
};

using Urls = std::vector<std::string>;

TEST_F(Scheduler, StartsUpToTheParallelLimitTopDownAcrossTicks) {
    for (const char* u : {"http://a", "http://b", "http://c", "http://d", "http://e"}) f.add_queue_row(u);
    form().Timer1Timer();
    EXPECT_EQ(started(), (Urls{"http://a", "http://b"}));
    EXPECT_EQ(f.download_lines(), (Urls{"http://a", "http://b"}));
    EXPECT_EQ(cell(0, queue_column::Attemps), "1");
    EXPECT_EQ(cell(0, queue_column::Status), "Analysis...");
    EXPECT_EQ(cell(2, queue_column::Attemps), "0");

    form().Timer1Timer();  // nothing finished: nothing more starts
    EXPECT_EQ(started().size(), 2u);

    finish("http://a", RowState::Finished);
    form().Timer1Timer();
    EXPECT_EQ(started(), (Urls{"http://a", "http://b", "http://c"}));
}

TEST_F(Scheduler, NewRowsGoFirstThenEveryUnfinishedRowWithTheAdvancedTimeOut) {
    form().timeout_normal.set_value(111);
    form().time_out_advanced.set_value(222);
    form().pipeline.parallel_limit = 5;
    f.add_queue_row("http://redo", "1", "Redownload");
    f.add_queue_row("http://failed", "1", "Download");
    f.add_queue_row("http://new", "0", "Download");
    f.add_queue_row("http://done", "1", "Finished");
    form().Timer1Timer();
    // While a row is new only "Download" rows start, with the normal time-out; the "Redownload"
    // row at the top was passed over before the last new row started.
    ASSERT_EQ(f.recorder->starts.size(), 2u);
    EXPECT_EQ(f.recorder->starts[0].url, "http://failed");
    EXPECT_EQ(f.recorder->starts[0].timeout, 111);
    EXPECT_EQ(f.recorder->starts[1].url, "http://new");
    EXPECT_EQ(f.recorder->starts[1].timeout, 111);

    form().Timer1Timer();  // no new row left: the Redownload row now qualifies
    ASSERT_EQ(f.recorder->starts.size(), 3u);
    EXPECT_EQ(f.recorder->starts[2].url, "http://redo");
    EXPECT_EQ(f.recorder->starts[2].timeout, 222);
    EXPECT_EQ(form().UrlDownload1.TimeOut, 222);
}

TEST_F(Scheduler, RedownloadRowBelowTheLastNewRowStartsInTheSameTick) {
    form().pipeline.parallel_limit = 5;
    f.add_queue_row("http://new", "0", "Download");
    f.add_queue_row("http://redo", "1", "Redownload");
    form().Timer1Timer();
    EXPECT_EQ(started(), (Urls{"http://new", "http://redo"}));
}

TEST_F(Scheduler, AttemptLimitAndCaseInsensitiveListing) {
    form().pipeline.parallel_limit = 5;
    f.add_queue_row("http://used", "3", "Download");
    f.add_queue_row("http://Same.example/x", "0");
    f.add_queue_row("HTTP://same.EXAMPLE/x", "0");
    form().Timer1Timer();
    EXPECT_EQ(started(), (Urls{"http://Same.example/x"}));
    EXPECT_EQ(cell(0, queue_column::Attemps), "3");
    EXPECT_EQ(cell(2, queue_column::Attemps), "0");
}

TEST_F(Scheduler, EmptyOrForeignCountersAreRewrittenAsNotYetTried) {
    form().pipeline.parallel_limit = 5;
    form().google_list.add_item(ListItem{"http://short", {"only a description"}});
    f.add_queue_row("http://empty", "", "");
    f.add_queue_row("http://words", "many", "Download");
    form().Timer1Timer();
    EXPECT_EQ(started(), (Urls{"http://short", "http://empty", "http://words"}));
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(cell(r, queue_column::Attemps), "1") << r;
        EXPECT_EQ(cell(r, queue_column::Result), "Download") << r;
    }
}

TEST_F(Scheduler, StopSwitchesTheTimerOffAndStartsNothing) {
    f.add_queue_row("http://a");
    form().Timer1.start();
    form().Button1Click();
    EXPECT_TRUE(form().UrlDownload1.cancelled());
    form().Timer1Timer();
    EXPECT_FALSE(form().Timer1.isActive());
    EXPECT_TRUE(started().empty());
    EXPECT_EQ(form().pipeline.status_text, "Stopped");
}

TEST_F(Scheduler, StageEndsWhenEveryRowIsFinishedOrOutOfStarts) {
    f.add_queue_row("http://done", "1", "Finished");
    f.add_queue_row("http://spent", "3", "Redownload");
    form().Timer1.start();
    form().Timer1Timer();
    EXPECT_FALSE(form().Timer1.isActive());
    EXPECT_TRUE(started().empty());

    // A row with starts left keeps the stage open, even when it is running.
    f.add_queue_row("http://left", "0");
    form().Timer1.start();
    form().Timer1Timer();
    EXPECT_TRUE(form().Timer1.isActive());
}

TEST_F(Scheduler, EndOfSearchStageHandsOverToTheForumStageInAutomaticMode) {
    form().pipeline.research_stage = "google-forum-query";
    form().google_got.set_enabled(false);
    form().google_res.add_item(ListItem{"http://forum.example/index.php", {"A forum", ""}});
    f.add_queue_row("http://search/page0", "1", "Finished");
    form().allowed_threads.set_value(3);
    form().Timer1Timer();
    EXPECT_TRUE(form().google_got.enabled());
    EXPECT_EQ(form().pipeline.research_stage, "Popular Site");
    EXPECT_EQ(form().pipeline.parallel_limit, 3);
    EXPECT_EQ(form().google_res.item_count(), 0);
    ASSERT_EQ(form().google_list.item_count(), 1);
    EXPECT_EQ(form().google_list.item(0).caption, "http://forum.example/index.php");
    EXPECT_EQ(started(), (Urls{"http://forum.example/index.php"}));
    EXPECT_TRUE(form().Timer1.isActive());
    EXPECT_EQ(form().pipeline.status_text, "Checking forums popularity");
}

TEST_F(Scheduler, WithoutAutomaticModeTheResearchStopsAfterTheSearchStage) {
    form().pipeline.research_stage = "google-forum-query";
    form().google_pop_auto.set_checked(false);
    form().google_got.set_enabled(false);
    form().google_res.add_item(ListItem{"http://forum.example/", {"A forum", ""}});
    f.add_queue_row("http://search/page0", "1", "Finished");
    form().Timer1.start();
    form().Timer1Timer();
    EXPECT_FALSE(form().Timer1.isActive());
    EXPECT_TRUE(form().google_got.enabled());
    EXPECT_EQ(form().pipeline.research_stage, "google-forum-query");
    EXPECT_EQ(form().google_list.item(0).caption, "http://search/page0");
}

TEST_F(Scheduler, DebugStartDownloadRestartsEveryListedLine) {
    form().download_list.add_line("http://x");
    form().download_list.add_line("http://y");
    form().slot_buffers.append(1, "old data");
    form().downloadClick();
    EXPECT_EQ(started(), (Urls{"http://x", "http://y"}));
    EXPECT_TRUE(form().slot_buffers.entries(1).empty());
}

TEST_F(Scheduler, AStageStartEmptiesTheBuffersOfTheLinesItDrops) {
    // A download stopped half-way left its bytes on line 0; neither stage start may pass them on.
    f.add_queue_row("http://fresh.example/");
    for (Button* start : {&form().check_page_for_popular, &form().request_google}) {
        form().download_list.add_line("http://old.example/");
        form().slot_buffers.append(0, "<td class=row2>391</td>\r\nhalf a page");
        start->click();
        const std::string url = f.recorder->starts.back().url;
        form().download_data(url, "fresh page");
        form().download_completed(url, 200, S_OK);
        EXPECT_EQ(form().result_memo.lines(), Urls{"fresh page"}) << form().pipeline.research_stage;
    }
}

TEST_F(Scheduler, TheSearchStageEndsAfterItsLastDownloadAndNotAfterStop) {
    form().pipeline.research_stage = "google-forum-query";
    form().google_res.add_item(ListItem{"http://forum.example/", {"A forum", ""}});
    f.add_queue_row("http://search/page0", "2", "Redownload");
    form().Timer1Timer();  // the last allowed start: its page must still be judged
    EXPECT_EQ(form().pipeline.research_stage, "google-forum-query");
    finish("http://search/page0", RowState::Finished);
    form().Button1Click();
    form().Timer1Timer();
    EXPECT_EQ(form().pipeline.research_stage, "google-forum-query") << "Stop hands over to nothing";
    form().pipeline.stop_requested = false;
    form().Timer1Timer();
    EXPECT_EQ(started(), (Urls{"http://search/page0", "http://forum.example/"}));
}

TEST_F(Scheduler, TheResearchIsOverOnceAfterItsLastStageOrAfterStopAndItsLastDownload) {
    int over = 0;
    QObject::connect(&form(), &TForm1::research_over, [&] { ++over; });
    f.add_queue_row("http://a");
    form().check_page_for_popularClick();
    form().Button3Click();  // paused with nothing listed: not over
    finish("http://a", RowState::Finished);
    EXPECT_EQ(over, 0);
    form().Button3Click();
    form().Timer1Timer();
    form().Timer1Timer();
    EXPECT_EQ(over, 1);

    f.add_queue_row("http://b");
    form().check_page_for_popularClick();
    form().Button1Click();
    form().Timer1Timer();
    EXPECT_EQ(over, 1) << "http://b is still listed";
    finish("http://b", RowState::Redownload);
    EXPECT_EQ(over, 2);
}

TEST_F(Scheduler, UntriedRowsOfAnyResultAreStartedAndTheStageEnds) {
    // Attemps and Result of each row; an untried "Finished" row is no work and keeps nobody waiting.
    const std::vector<std::pair<Urls, Urls>> cases = {{{"0", "Redownload", "x", "Other"}, {"http://r0", "http://r1"}},
                                                      {{"0", "Finished", "1", "Redownload"}, {"http://r1"}}};
    form().pipeline.parallel_limit = 5;
    for (const auto& [rows, first_tick] : cases) {
        form().google_list.clear_items();
        f.recorder->starts.clear();
        for (std::size_t i = 0; i < rows.size(); i += 2)
            f.add_queue_row("http://r" + std::to_string(i / 2), rows[i], rows[i + 1]);
        form().Timer1.start();
        form().Timer1Timer();
        EXPECT_EQ(started(), first_tick);
        for (const auto& url : first_tick) finish(url, RowState::Finished);
        form().Timer1Timer();
        EXPECT_FALSE(form().Timer1.isActive()) << "the stage ended";
    }
}

TEST_F(Scheduler, NewRowsThatCannotStartNowHoldBackNoRetryOfAnotherSite) {
    // Site "slow" at its one place, or asked to wait: its new rows leave the free places to the
    // other site's retry, and take theirs again once slow can start.
    form().pipeline.parallel_limit = 3;
    for (const bool asked_to_wait : {false, true}) {
        SCOPED_TRACE(asked_to_wait);
        form().google_list.clear_items();
        form().clear_download_lines();
        form().pipeline.site_pace.clear();
        f.recorder->starts.clear();
        form().downloads_per_site.set_value(asked_to_wait ? 0 : 1);
        if (asked_to_wait) form().pipeline.site_pace.wait_until("slow", SitePace::Clock::now() + std::chrono::hours(1));
        for (const char* u : {"http://slow/1", "http://slow/2", "http://slow/3"}) f.add_queue_row(u);
        f.add_queue_row("http://other/", "1", "Redownload");
        form().Timer1Timer();
        const Urls first = asked_to_wait ? Urls{"http://other/"} : Urls{"http://slow/1", "http://other/"};
        EXPECT_EQ(started(), first);
        if (asked_to_wait) continue;
        finish("http://slow/1", RowState::Finished);
        form().Timer1Timer();
        EXPECT_EQ(started(), (Urls{"http://slow/1", "http://other/", "http://slow/2"}));
    }
}

}  // namespace
