#include "analysis/calendar_day.h"
#include "model/pipeline/progress_line.h"
#include "tests/console/console_files.h"
#include "tests/support/form_fixture.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

std::string read_file(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll().toStdString();
}

class Completion : public ::testing::Test {
protected:
    void SetUp() override {
        form().download_list.clear();
        form().pipeline.research_stage = "Popular Site";
        form().pipeline.attempts_limit = 3;
    }
    TForm1& form() { return *f.form; }
    // Lists url as running with its queue row started once.
    void start(const std::string& url, const std::string& attempts = "1") {
        f.add_queue_row(url, attempts, "Download");
        form().download_list.add_line(url);
    }
    FormFixture f;
};

const char* const kForumPage =
    "<html><body><table>\r\n"
    "<tr><td class=\"row2\" align=\"center\"><span class=\"gensmall\">10</span></td><td>x</td></tr>\r\n"
    "<tr><td class=\"row2\" align=\"center\"><span class=\"gensmall\">21</span></td><td>y</td>\r\n"
    "<td class=\"row2\"><span class=\"gensmall\">Yesterday, 9:15 pm</span></td></tr>\r\n"
    "</table></body></html>\r\n";

TEST_F(Completion, BlocksBecomeOnePageWhateverTheirBoundaries) {
    start("http://www.forum.example/index.php");
    const std::string page = kForumPage;
    // Cut inside the number of the first "row2" line and inside a line break.
    const std::size_t cuts[] = {page.find("10") + 1, page.find("\r\n<tr><td class=\"row2\" align=\"center\"><span class=\"gensmall\">21") + 1};
    form().download_data("HTTP://www.forum.example/index.php", page.substr(0, cuts[0]));
    form().download_data("http://www.forum.example/index.php", page.substr(cuts[0], cuts[1] - cuts[0]));
    form().download_data("http://www.forum.example/index.php", page.substr(cuts[1]));
    EXPECT_EQ(form().slot_buffers.entries(0).size(), 3u);

    // "Yesterday" on the page is the day before the one the server's Date header names.
    form().download_completed("http://www.forum.example/index.php", 200, S_OK, false,
                              parse_http_date("Tue, 20 Mar 2018 10:30:00 GMT"));

    EXPECT_EQ(form().result_memo.count(), 5);
    ASSERT_EQ(form().result_list.item_count(), 1);
    EXPECT_EQ(form().result_list.item(0).sub_items, (std::vector<std::string>{"d", "Good", "15", "21", "2018-03-19"}));
    EXPECT_EQ(form().google_list.sub_item(0, queue_column::Result), "Finished");
    EXPECT_TRUE(form().download_list.lines().empty());
    EXPECT_TRUE(form().slot_buffers.entries(0).empty());
    EXPECT_FALSE(form().pipeline.analysis_busy);
    EXPECT_EQ(form().memo1.lines().back(), "Download complete...");
    // The copy is the page with CR LF line ends, under the host's name.
    EXPECT_EQ(read_file(f.folder() + "pages/forum.example.htm"), page);
}

TEST_F(Completion, ZeroBytesAndLoneLineBreaksStayInThePage) {
    start("https://board.example/");
    const std::string page = "a\0b\nrow2 <td>7</td>\rlast"s;
    form().download_data("https://board.example/", page);
    form().download_completed("https://board.example/", 200, S_OK);
    EXPECT_EQ(form().result_memo.lines(), (std::vector<std::string>{"a\0b"s, "row2 <td>7</td>", "last"}));
    EXPECT_EQ(read_file(f.folder() + "pages/board.example.htm"), "a\0b\r\nrow2 <td>7</td>\r\nlast\r\n"s);
}

TEST_F(Completion, FirstDownloadFinishingMovesTheSecondOnesBufferUp) {
    start("http://one.example/");
    start("http://two.example/");
    form().download_data("http://two.example/", "<td class=row2>4");
    form().download_data("http://one.example/", "<td class=row2>1</td>");
    form().download_completed("http://one.example/", 200, S_OK);
    EXPECT_EQ(form().download_list.lines(), (std::vector<std::string>{"http://two.example/"}));
    form().download_data("http://two.example/", "2</td>");
    form().download_completed("http://two.example/", 200, S_OK);
    EXPECT_EQ(form().result_list.item(1).facts.result.figures.max, 42);
}

TEST_F(Completion, FailureRecordsTheErrorAndLeavesNothingBehind) {
    start("http://gone.example/");
    form().download_data("http://gone.example/", "partial");
    form().download_completed("http://gone.example/", 404, E_ABORT);
    // The forum's failure, then why it gave no figures.
    const auto log = form().memo1.lines();
    EXPECT_EQ(std::vector(log.end() - 2, log.end()),
              (std::vector<std::string>{"Cancelled ... Not Found", "No figures from http://gone.example/: HTTP 404 Not Found"}));
    EXPECT_EQ(form().google_list.sub_item(0, queue_column::Status), "Cancelled ...  Not Found");
    EXPECT_EQ(form().google_list.sub_item(0, queue_column::Result), "Download");
    EXPECT_TRUE(form().download_list.lines().empty());
    EXPECT_TRUE(form().slot_buffers.entries(0).empty());

    // The component's second report for the same download writes Status again.
    form().download_completed("http://gone.example/", 404, INET_E_CONNECTION_TIMEOUT);
    EXPECT_EQ(form().google_list.sub_item(0, queue_column::Status), "The Internet connection has timed out.  Not Found");
}

TEST_F(Completion, AFinalReportAfterAnEarlyOneLeavesANewerDownloadOfTheUrlAlone) {
    start("http://refused.example/");
    form().download_completed("http://refused.example/", 404, E_ABORT);
    // The scheduler starts the URL again before the first download's final report arrives.
    form().download_list.add_line("http://refused.example/");
    form().download_data("http://refused.example/", "<td class=row2>9</td>");
    form().download_completed("http://refused.example/", 404, E_ABORT, /*line_released=*/true);
    EXPECT_EQ(form().download_list.lines(), (std::vector<std::string>{"http://refused.example/"}));
    EXPECT_EQ(form().slot_buffers.entries(0).size(), 1u);
    EXPECT_EQ(form().google_list.sub_item(0, queue_column::Status), "Cancelled ...  Not Found");
    // Even a successful final report does not take the newer download's page.
    form().download_completed("http://refused.example/", 200, S_OK, /*line_released=*/true);
    EXPECT_EQ(form().slot_buffers.entries(0).size(), 1u);
    EXPECT_EQ(form().result_list.item_count(), 0);
}

TEST_F(Completion, DataAndPagesOfDownloadsNoLongerListedAreDropped) {
    f.add_queue_row("http://late.example/", "1", "Download");
    form().download_data("http://late.example/", "<td class=row2>5</td>");
    form().download_completed("http://late.example/", 200, S_OK);
    EXPECT_EQ(form().result_list.item_count(), 0);
    EXPECT_EQ(form().google_list.sub_item(0, queue_column::Result), "Download");
    for (int i = 0; i < SlotBuffers::kCount; ++i) EXPECT_TRUE(form().slot_buffers.entries(i).empty());
    EXPECT_NE(form().memo1.lines().back().find("no longer expected"), std::string::npos);
}

TEST_F(Completion, AnUnwritablePageCopyIsLoggedAndTheResearchGoesOn) {
    // A directory stands where the copy would go.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(f.folder() + "pages/blocked.example.htm")));
    start("http://blocked.example/");
    form().download_data("http://blocked.example/", "<td class=row2>3</td>");
    form().download_completed("http://blocked.example/", 200, S_OK);
    bool logged = false;
    for (const auto& line : form().memo1.lines()) logged = logged || line.find("blocked.example.htm") != std::string::npos;
    EXPECT_TRUE(logged);
    EXPECT_EQ(form().google_list.sub_item(0, queue_column::Result), "Finished");
    EXPECT_TRUE(form().download_list.lines().empty());
}

TEST_F(Completion, APageCopyCutShortByAFullDiskIsReportedAndTheOldCopyStays) {
    const std::string copy = f.folder() + "pages/full.example.htm";
    write_bytes(copy, "old copy");
    start("http://full.example/");
    form().download_data("http://full.example/", std::string(5100, 'p'));
    {
        FileSizeCap cap(4096);
        form().download_completed("http://full.example/", 200, S_OK);
    }
    EXPECT_EQ(read_bytes(copy), "old copy");
    EXPECT_EQ(form().memo1.lines().at(0), "Page copy not saved to " + copy + ": writing failed");
}

TEST(ProgressLine, NumbersOnlyWhileDataIsDownloading) {
    EXPECT_EQ(progress_log_line(4, 10, 20), "Beginning to download data...");
    EXPECT_EQ(progress_log_line(5, 300, 900), "Downloading data... (300/900)");
    EXPECT_EQ(progress_log_line(5, 0, 0), "Downloading data... (0/0)");
    EXPECT_EQ(progress_log_line(5, 4294967295u, 0), "Downloading data... (4294967295/0)");
}

}  // namespace
