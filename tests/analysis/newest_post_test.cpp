// The date of a forum's newest post: the date texts, and the real board indexes of the shared
// fixture folder with the newest last-post date worked out by hand from each page.

#include "analysis/forum_engines/forum_page.h"
#include "analysis/post_date.h"
#include "tests/support/real_pages.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::int64_t served(const char* date_header) { return parse_http_date(date_header).value(); }

struct DateTexts {
    std::vector<const char*> texts;  // the texts of one page's last-post cells, in page order
    NumericDates numeric;
    const char* newest;
};

TEST(NewestPost, ReadsTheFormsEnginesPrintAndNothingElse) {
    const std::int64_t now = served("Tue, 20 Mar 2018 10:30:00 GMT");
    const DateTexts cases[] = {
        {{"Sat Mar 10, 2018 4:11 pm"}, NumericDates::None, "2018-03-10"},
        {{"10th March 2018"}, NumericDates::None, "2018-03-10"},
        {{"on March 10, 2018, 04:11:00 pm"}, NumericDates::None, "2018-03-10"},
        {{"10 March 2018 - 04:11 PM", "2 Sept 2017"}, NumericDates::None, "2018-03-10"},
        {{"Mar 9, 2018", "Today at 4:11 PM", "Mar 1, 2018"}, NumericDates::None, "2018-03-20"},
        {{"Yesterday, 06:32 AM"}, NumericDates::None, "2018-03-19"},
        {{"11 hours ago"}, NumericDates::None, "2018-03-19"},
        {{"a minute ago"}, NumericDates::None, "2018-03-20"},
        // In numbers only in the engine's own order.
        {{"03-10-2018, 04:11 PM"}, NumericDates::MonthDayYear, "2018-03-10"},
        {{"03-10-2018, 04:11 PM"}, NumericDates::None, ""},
        {{"2018-3-9 17:08"}, NumericDates::YearMonthDay, "2018-03-09"},
        // A day first anywhere on the page: no numeric date of it can be placed.
        {{"03-10-2018", "15-03-2018"}, NumericDates::MonthDayYear, ""},
        {{"03-10-2018", "15-03-2018", "Yesterday"}, NumericDates::MonthDayYear, "2018-03-19"},
        // Other languages, lower-case month names, dates that do not exist, the future, before 1995.
        {{"21 Okt 2017", "march 10, 2018", "Feb 30, 2018", "Mar 22, 2018", "Jan 5, 1994"}, NumericDates::None, ""},
        {{"Mar 21, 2018"}, NumericDates::None, "2018-03-21"},
        {{"Posts: 1,234", "12 分钟前", "3/18/2018"}, NumericDates::MonthDayYear, ""},
        {{"Mar. 10, 2018", "9 Mar. 2018"}, NumericDates::None, "2018-03-10"},
        // Month first, 05-03-2018 would be after the download: the board writes the day first.
        {{"03-10-2018", "05-03-2018"}, NumericDates::MonthDayYear, ""},
        // Month first, on a page of no known engine, only where a day above 12 proves it; a
        // two-digit year in the century that keeps it before the download; "July 4th, 2003".
        {{"3/4/01 11:37:00 am", "6/27/01 12:56:35 pm"}, NumericDates::MonthFirstProven, "2001-06-27"},
        {{"3/4/2018", "2/28/99"}, NumericDates::MonthFirstProven, "2018-03-04"},
        {{"3/4/2018"}, NumericDates::MonthFirstProven, ""},
        {{"3/4/2018", "27/2/2018"}, NumericDates::MonthFirstProven, ""},
        {{"12/31/19"}, NumericDates::MonthFirstProven, ""},
        {{"12/4 10:23am", "6-27-2001"}, NumericDates::MonthFirstProven, "2001-06-27"},
        {{"12/4 10:23am", "6-7-2001", "27.06.2001"}, NumericDates::MonthFirstProven, ""},
        {{"6-7-2001", "[ 2001-6-3 09:12 ]"}, NumericDates::MonthFirstProven, "2001-06-03"},
        {{"July 4th, 2003 10:16 AM"}, NumericDates::None, "2003-07-04"},
    };
    for (const DateTexts& c : cases) {
        SCOPED_TRACE(c.texts.front());
        NewestPost newest(now, c.numeric);
        for (const char* text : c.texts) newest.take_text(text);
        EXPECT_EQ(newest.newest(), c.newest);
    }
    // A wrong clock is brought into the years a Date header can hold before any calendar work.
    for (const std::int64_t clock : {std::int64_t{-1} << 62, std::int64_t{1} << 62}) {
        NewestPost newest(clock, NumericDates::YearMonthDay);
        newest.take_text("Today");
        newest.take_text("2018-3-9 17:08");
        EXPECT_EQ(newest.newest(), clock < 0 ? "" : "9999-12-31");
    }
}

TEST(NewestPost, DateHeadersInAllThreeForms) {
    for (const char* header : {"Sun, 06 Nov 1994 08:49:37 GMT", "Sunday, 06-Nov-94 08:49:37 GMT", "Sun Nov  6 08:49:37 1994"})
        EXPECT_EQ(parse_http_date(header), 784111777) << header;
    EXPECT_EQ(parse_http_date("yesterday-ish"), std::nullopt);
}

struct RealIndex {
    const char* page;
    const char* served;  // when the page was downloaded: what its relative words count from
    const char* newest;
};

TEST(NewestPost, EachRealBoardIndexGivesTheNewestDateItShows) {
    if (!real_pages_present()) GTEST_SKIP() << "real pages not present at " << RAVELMOOT_REAL_FIXTURES;
    const RealIndex pages[] = {
        // "Thu Oct 03, 2002 12:19 am", the newest of 15 "row2" last-post cells (Aug 21 to Oct 03).
        {"phpbb2-alliance-index.html", "Thu, 03 Oct 2002 08:28:08 GMT", "2002-10-03"},
        // "Oct 16, 2002 3:36 pm" and six more of Oct 16 in the "row2" cells.
        {"phpbb2-flamekeepers-index.html", "Thu, 17 Oct 2002 00:15:26 GMT", "2002-10-16"},
        // "21 Mar 2018, 23:30" below a "row2" line of its row; "08 Okt 2011" and "04 Jún 2016"
        // are Slovak and not read, the clock "Aktuálny čas je 21 Mar 2018" is no forum's.
        {"phpbb3-subsilver2-warmacher.html", "Wed, 21 Mar 2018 22:40:00 GMT", "2018-03-21"},
        // Four lastpost boxes of "20 Mar 2018"; the clock "It is currently 20 Mar 2018" does not count.
        {"phpbb3-prosilver-fightbb-2018.html", "Tue, 20 Mar 2018 08:30:00 GMT", "2018-03-20"},
        // <span title="03-24-2018, 10:27 PM">3 hours ago</span>: the tooltip's date wins.
        {"mybb-modderbase.html", "Sun, 25 Mar 2018 01:30:00 GMT", "2018-03-24"},
        // "15-03-2018" shows the board writes the day first, so "11-02-2018" is not read; "Today".
        {"vbulletin3-vozforums.html", "Sat, 24 Mar 2018 03:00:00 GMT", "2018-03-24"},
        // Only "21-07-2015" and "16-02-2017": day first, so no date.
        {"vbulletin4-thexuniverse-2018.excerpt.html", "Sun, 18 Mar 2018 12:00:00 GMT", ""},
        // datetime="2018-03-16T17:52:18-0400" of a node shown as "Yesterday at 5:52 PM".
        {"xenforo2-talkstats-2018.excerpt.html", "Sat, 17 Mar 2018 12:00:00 GMT", "2018-03-16"},
        // data-datestring="Mar 18, 2018" in all nine nodeLastPost boxes; served data-diff 67 s
        // after data-time 1521399376.
        {"xenforo1-f95zone.html", "Sun, 18 Mar 2018 18:57:23 GMT", "2018-03-18"},
        // "on <strong>Today</strong> at 01:43:57 PM" (the board's clock reads March 18, 2018).
        {"smf20-chemicalforums.html", "Sun, 18 Mar 2018 19:00:00 GMT", "2018-03-18"},
        // "on <b>Today</b> at 02:41 PM" (the clock reads March 22, 2018).
        {"smf11-gwtwforum.excerpt.html", "Thu, 22 Mar 2018 16:45:00 GMT", "2018-03-22"},
        // "Today, 12:50 AM" as the text of the link to the last post.
        {"ipb3-customsforge.excerpt.html", "Mon, 19 Mar 2018 01:00:00 GMT", "2018-03-19"},
        // <span title="2018-3-19 08:59"> behind a Chinese "6 minutes ago".
        {"discuzx-openedv-zh.excerpt.html", "Mon, 19 Mar 2018 01:10:00 GMT", "2018-03-19"},
    };
    for (const RealIndex& p : pages) {
        SCOPED_TRACE(p.page);
        const std::string bytes = read_real_page(p.page);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(newest_post_text(read_forum_page(PageLines(bytes), true, served(p.served))), p.newest);
    }
}

}  // namespace
