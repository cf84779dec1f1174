#include "model/app/program_failure.h"
#include "runner/research_session.h"
#include "tests/support/form_fixture.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

namespace {

std::vector<std::string> captions(const ListView& list) {
    std::vector<std::string> out;
    for (const auto& c : list.columns()) out.push_back(c.caption + ":" + std::to_string(c.width));
    return out;
}

using Strings = std::vector<std::string>;

TEST(WindowModel, StartsWithTheValuesThePipelineReads) {
    FormFixture f;
    TForm1& form = *f.form;
    EXPECT_EQ(form.pipeline.status_text, "Enter keyword and click \"Start Search\"");
    EXPECT_EQ(form.pipeline.status_text.size(), 38u);
    EXPECT_EQ(form.pipeline.parallel_limit, 5);
    EXPECT_EQ(form.pipeline.attempts_limit, 5);
    EXPECT_EQ(form.pipeline.stage_threads, -1);
    EXPECT_EQ(form.request_ui.text(), "software marketing");
    EXPECT_EQ(form.dig_level_ui.value(), 100);
    EXPECT_EQ(form.allowed_threads.value(), 2);
    EXPECT_EQ(form.allow_attemps_ui.value(), 5);
    EXPECT_EQ(form.timeout_normal.value(), 10000);
    EXPECT_EQ(form.time_out_advanced.value(), 30000);
    EXPECT_EQ(form.search_host.text(), "www.google.com");
    EXPECT_TRUE(form.google_pop_auto.checked());
    EXPECT_EQ(form.download_list.lines(), Strings{"download_list"});
    EXPECT_EQ(form.Button3.caption(), "Pause");
    EXPECT_FALSE(form.Timer1.isActive());
    EXPECT_TRUE(form.Timer2.isActive());
    EXPECT_EQ(form.Timer1.interval(), 1000);
    EXPECT_FALSE(form.PageControl1.visible());
    EXPECT_EQ(form.PageControl2.active_page(), 0);
    EXPECT_EQ(captions(form.google_list), (Strings{"URL:150", "Description:200", "Status:100", "Attemps:50", "Result:50"}));
    EXPECT_EQ(captions(form.google_res), (Strings{"URL:150", "Description:200", "Number:50"}));
    EXPECT_EQ(captions(form.result_list),
              (Strings{"URL:150", "Description:200", "Posts average:100", "Posts max:100", "Result:50"}));
    EXPECT_EQ(form.UrlDownload1.TimeOut, 15000);
    EXPECT_EQ(form.UrlDownload1.bind_flags(), 0xB3u);
    EXPECT_EQ(form.UrlDownload1.UserAgent, "Mozilla/4.0 (compatible; MSIE 6.0; Win32)");
    // A line break in the agent cannot start a header line of its own.
    form.user_agent.set_text("Agent/1\r\nX-Injected: 1");
    EXPECT_EQ(form.UrlDownload1.UserAgent, "Agent/1X-Injected: 1");
    form.user_agent.set_text(TForm1::kUserAgent);
    EXPECT_EQ(form.UrlDownload1.AdditionalHeader, Strings{"Content-Type: application/x-www-form-urlencoded"});
    EXPECT_EQ(form.FileListBox1.directory(), f.folder() + "pages/");
    EXPECT_TRUE(QFileInfo(QString::fromStdString(f.folder() + "pages")).isDir());
}

TEST(WindowModel, OptionChangesReachThePipelineAtOnce) {
    FormFixture f;
    TForm1& form = *f.form;
    form.allowed_threads.set_text("7");
    EXPECT_EQ(form.pipeline.parallel_limit, 7);
    form.allow_attemps_ui.set_text("2");
    EXPECT_EQ(form.pipeline.attempts_limit, 2);
    form.RadioButton1Click();
    EXPECT_EQ(form.UrlDownload1.bind_flags(), 0xB0u);
    form.RadioButton2Click();
    EXPECT_EQ(form.UrlDownload1.bind_flags(), 0xB3u);
    form.process_normalClick();
    EXPECT_EQ(form.UrlDownload1.TimeOut, 3000);
    form.process_no_data_itemsClick();
    EXPECT_EQ(form.UrlDownload1.TimeOut, 30000);
}

TEST(IntegerField, ReadsStrictlyAndKeepsItsLimits) {
    IntField plain(100, 0, 0, 100);
    plain.set_text("abc");
    EXPECT_EQ(plain.value(), 0);
    plain.set_text(" 5");
    EXPECT_EQ(plain.value(), 0);
    plain.set_text("-250");
    EXPECT_EQ(plain.value(), -250);
    plain.step_by(+1);
    EXPECT_EQ(plain.text(), "-150");

    IntField threads(2, 1, 25, 1, 1);
    threads.set_text("0");
    EXPECT_EQ(threads.value(), 1);  // read as the field would correct it
    threads.correct_to_limits();
    EXPECT_EQ(threads.text(), "1");
    threads.set_text("x");
    EXPECT_EQ(threads.value(), 1);
    threads.set_value(24);
    threads.step_by(+1);
    threads.step_by(+1);
    EXPECT_EQ(threads.text(), "25");
    threads.set_value(-3);
    EXPECT_EQ(threads.text(), "1");

    EXPECT_TRUE(IntField::accepts_typed_char(U'7'));
    EXPECT_TRUE(IntField::accepts_typed_char(U'-'));
    EXPECT_TRUE(IntField::accepts_typed_char(U'\b'));
    EXPECT_FALSE(IntField::accepts_typed_char(U'a'));
    EXPECT_FALSE(IntField::accepts_typed_char(U'\r'));
    EXPECT_FALSE(IntField::accepts_typed_char(U' '));
}

class StatusTimer : public ::testing::Test {
protected:
    TForm1& form() { return *f.form; }
    void rows(int finished, int spent, int open) {
        for (int i = 0; i < finished; ++i) f.add_queue_row("http://f" + std::to_string(i), "1", "Finished");
        for (int i = 0; i < spent; ++i) f.add_queue_row("http://s" + std::to_string(i), "5", "Redownload");
        for (int i = 0; i < open; ++i) f.add_queue_row("http://o" + std::to_string(i), "0", "Download");
    }
    FormFixture f;
};

TEST_F(StatusTimer, ShowsTheStatusAndTheProgressOfTheQueue) {
    form().Timer2Timer();
    EXPECT_EQ(form().status_label.caption(), "Enter keyword and click \"Start Search\"");
    EXPECT_EQ(form().Label12.caption(), "...");

    rows(3, 0, 5);
    form().Timer2Timer();
    EXPECT_EQ(form().Label12.caption(), "3 / 8  (37 % downloaded)");
}

TEST_F(StatusTimer, RowsOutOfAttemptsCountAsDoneByTheFieldsValue) {
    rows(1, 1, 2);
    form().Timer2Timer();
    EXPECT_EQ(form().Label12.caption(), "2 / 4  (50 % downloaded)");
    form().allow_attemps_ui.set_text("4");
    form().Timer2Timer();
    EXPECT_EQ(form().Label12.caption(), "1 / 4  (25 % downloaded)");
    // Not a number: reads as 0, so untried rows count as done.
    form().allow_attemps_ui.set_text("many");
    form().Timer2Timer();
    EXPECT_EQ(form().Label12.caption(), "3 / 4  (75 % downloaded)");
    form().allow_attemps_ui.set_text("0");
    set_row_state(form().google_list, 1, RowState::Finished);
    form().Timer2Timer();
    EXPECT_EQ(form().Label12.caption(), "4 / 4  (100 % downloaded)");
}

TEST(Commands, PauseContinueAndStop) {
    FormFixture f;
    TForm1& form = *f.form;
    form.Button3Click();
    EXPECT_TRUE(form.Timer1.isActive());
    EXPECT_EQ(form.Button3.caption(), "Pause");
    form.Button3Click();
    EXPECT_FALSE(form.Timer1.isActive());
    EXPECT_EQ(form.Button3.caption(), "Continue");

    // Start Search switches the scheduler on and leaves the caption as it was.
    form.Button4Click();
    EXPECT_TRUE(form.Timer1.isActive());
    EXPECT_EQ(form.Button3.caption(), "Continue");
    form.Button3Click();
    EXPECT_FALSE(form.Timer1.isActive());
    EXPECT_EQ(form.Button3.caption(), "Continue");

    form.Button1Click();
    form.Timer2Timer();
    EXPECT_EQ(form.status_label.caption(), "Stopped");
    EXPECT_TRUE(form.pipeline.stop_requested);
    const auto starts = f.recorder->starts.size();
    form.Button3Click();  // Continue after Stop starts nothing
    form.Timer1Timer();
    EXPECT_EQ(f.recorder->starts.size(), starts);
    EXPECT_FALSE(form.Timer1.isActive());

    form.Button4Click();  // a new search after Stop runs
    EXPECT_FALSE(form.pipeline.stop_requested);
    EXPECT_EQ(f.recorder->starts.size(), starts + 1);
}

TEST(Commands, StartSearchFillsTheQueueWithOneRowPerResultPage) {
    FormFixture f;
    TForm1& form = *f.form;
    form.dig_level_ui.set_value(250);
    form.search_host.set_text("127.0.0.1:8080");
    form.Button4Click();
    form.Timer2Timer();
    EXPECT_EQ(form.status_label.caption(), "Sending request to google...");
    EXPECT_EQ(form.dig_google.value(), 250);
    EXPECT_EQ(form.request.text(), "software marketing");
    ASSERT_EQ(form.google_list.item_count(), 2);
    EXPECT_EQ(form.google_list.item(0).caption,
              "http://127.0.0.1:8080/search?as_q=%22forum+index%22+software+marketing&lr=&num=100");
    EXPECT_EQ(form.google_list.item(1).caption,
              "http://127.0.0.1:8080/search?as_q=%22forum+index%22+software+marketing&lr=&num=100&start=100&sa=N");
    EXPECT_EQ(form.google_list.item(1).sub_items, (Strings{"Google page 1", "", "0", "Download"}));
    EXPECT_EQ(form.google_list.item(0).sub_items, (Strings{"Google page 0", "Analysis...", "1", "Download"}));
    EXPECT_EQ(captions(form.result_list), (Strings{"URL:100", "Description:100", "Result:100", "Sites on page:100"}));
    EXPECT_FALSE(form.allowed_threads.enabled());
    EXPECT_EQ(form.pipeline.parallel_limit, 1);
    EXPECT_EQ(form.pipeline.research_stage, "google-forum-query");
    EXPECT_TRUE(form.download_list.lines() == Strings{form.google_list.item(0).caption});
    ASSERT_EQ(f.recorder->starts.size(), 1u);
    EXPECT_EQ(f.recorder->starts[0].timeout, 10000);

    // An empty keyword and a dig level below 100 give no rows at all.
    form.dig_level_ui.set_value(0);
    form.request_ui.set_text("");
    form.Button4Click();
    EXPECT_EQ(form.google_list.item_count(), 0);
    // The empty queue ends the search stage at once, and the empty forum stage after it.
    EXPECT_FALSE(form.Timer1.isActive());
    EXPECT_EQ(form.pipeline.research_stage, "Popular Site");
}

TEST(Commands, TheGuardShowsAHandlersErrorAndTheProgramGoesOn) {
    FormFixture f;
    f.form->Button4.on_click = [] { throw AppError("File not found"); };
    f.form->guarded([&] { f.form->Button4.click(); });
    EXPECT_EQ(f.errors, Strings{"File not found"});
}

TEST(Commands, ADigLevelAskingForTooManySearchPagesIsRefusedAndNothingStarts) {
    FormFixture f;
    f.form->dig_level_ui.set_value(1000100);  // 10001 pages; 1000099 would be the most
    f.form->guarded([&] { f.form->Button4.click(); });
    EXPECT_EQ(f.errors, Strings{"Google dig level 1000100 asks for 10001 search pages; at most 10000 are allowed"});
    EXPECT_EQ(f.form->google_list.item_count(), 0);
    EXPECT_EQ(f.form->pipeline.status_text, "Enter keyword and click \"Start Search\"");
}

std::string written(std::FILE* file) {
    std::rewind(file);
    char text[400] = {};
    return std::string(text, std::fread(text, 1, sizeof text - 1, file));
}

TEST(ProgramFailure, AFailedStartIsPrintedAndGivesExitCodeOne) {
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(run_reporting_failure("ravelmoot", [] { return 3; }, err), 3);
    EXPECT_EQ(run_reporting_failure("ravelmoot", []() -> int { throw std::runtime_error("no display"); }, err), 1);
    EXPECT_EQ(written(err), "ravelmoot: no display\n");
    std::fclose(err);
}

TEST(ResearchSessionFailure, AnEscapedErrorStillWritesTheResultsAndExitsWithTwo) {
    FormFixture f;
    ResearchArguments arguments;
    arguments.results_file = f.folder() + "results.txt";
    std::FILE* err = std::tmpfile();
    ResearchSession session(*f.form, arguments, stdout, err);
    std::vector<int> codes;
    QObject::connect(&session, &ResearchSession::finished, [&](int code) { codes.push_back(code); });
    session.fail("Out of memory");
    session.fail("Out of memory");  // raised by the finishing itself: it still ends
    EXPECT_EQ(codes, (std::vector<int>{2, 2}));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(*arguments.results_file)));
    EXPECT_NE(written(err).find("ravelmoot-research: stopped by an error: Out of memory"), std::string::npos);
    std::fclose(err);
}

}  // namespace
