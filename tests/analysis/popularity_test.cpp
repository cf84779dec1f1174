#include "analysis/popularity.h"
#include "analysis/forum_figures.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

PostCounter count_lines(std::initializer_list<std::string_view> lines) {
    PostCounter counter;
    for (const auto line : lines) counter.add_line(line);
    return counter;
}

// A forum index in phpBB 2's subSilver markup: one table row per forum over several lines,
// the topic and post counts each in a "row2" cell of their own, the name cell "row1".
constexpr std::string_view kForumIndex =
    "<table width=\"100%\" cellpadding=\"2\" cellspacing=\"1\" border=\"0\" class=\"forumline\">\n"
    "  <tr>\n"
    "\t<th colspan=\"2\" class=\"thCornerL\" height=\"25\" nowrap=\"nowrap\">&nbsp;Forum&nbsp;</th>\n"
    "\t<th width=\"50\" class=\"thTop\" nowrap=\"nowrap\">&nbsp;Topics&nbsp;</th>\n"
    "  </tr>\n"
    "  <tr>\n"
    "\t<td class=\"catLeft\" colspan=\"2\" height=\"28\"><span class=\"cattitle\"><a href=\"index.php?c=1\" "
    "class=\"cattitle\">General</a></span></td>\n"
    "  </tr>\n"
    "  <tr>\n"
    "\t<td class=\"row1\" align=\"center\" valign=\"middle\" height=\"50\"><img src=\"folder_big.gif\" /></td>\n"
    "\t<td class=\"row1\" width=\"100%\" height=\"50\"><span class=\"forumlink\"> <a href=\"viewforum.php?f=1\" "
    "class=\"forumlink\">Announcements</a><br /></span></td>\n"
    "\t<td class=\"row2\" align=\"center\" valign=\"middle\" height=\"50\"><span class=\"gensmall\">10</span></td>\n"
    "\t<td class=\"row2\" align=\"center\" valign=\"middle\" height=\"50\"><span class=\"gensmall\">20</span></td>\n"
    "\t<td class=\"row2\" align=\"center\" valign=\"middle\" height=\"50\" nowrap=\"nowrap\"> <span "
    "class=\"gensmall\">Thu Sep 19, 2002 6:05 pm<br /><a href=\"profile.php?u=2\">admin</a></span></td>\n"
    "  </tr>\r\n"
    "  <tr>\r\n"
    "\t<td class=\"row2\" align=\"center\" valign=\"middle\" height=\"50\"><span class=\"gensmall\">35</span></td>\r\n"
    "\t<td class=\"row2\" align=\"center\" valign=\"middle\" height=\"50\"><span class=\"gensmall\">"
    "1,234</span></td>\r\n"
    "\t<td class=\"Row2\" align=\"center\"><span class=\"gensmall\">9999</span></td>\r\n"
    "  </tr>\r"
    "</table>";

TEST(Popularity, ForumIndexCountsItsRow2Cells) {
    const auto figures = read_row2_counts(PageLines(std::string(kForumIndex)));
    EXPECT_EQ(figures.numbers, 3);
    EXPECT_EQ(average_text(figures), "21");  // 65 / 3 rounded down
    EXPECT_EQ(max_text(figures), "35");
}

TEST(Popularity, OnlyTheFirstCellOfALineIsRead) {
    // A whole table row on one line with the name first contributes nothing.
    EXPECT_EQ(count_lines({"<tr class=\"row2\"><td>General talk</td><td>12</td><td>345</td></tr>"}).count(), 0);
    // The first cell counts even when a later cell carries the marker.
    auto c = count_lines({"<tr><td>77</td><td class=\"row2\">345</td></tr>"});
    EXPECT_EQ(c.max_text(), "77");
    // A "</td>" before the first "<td" does not end it.
    c = count_lines({"</td><td class=row2>8</td>"});
    EXPECT_EQ(c.max_text(), "8");
}

TEST(Popularity, CellTextIsWhatFollowsTheLeadingTags) {
    EXPECT_EQ(count_lines({"<td class=\"row2\" align=\"center\"><span class=\"num\">1234</span></td>"}).max_text(),
              "1234");
    EXPECT_EQ(count_lines({"<td class=row2><b><i>5</i></b></td>"}).max_text(), "5");
    // A blank before the first tag, or before the number, leaves a cell text that is no number.
    EXPECT_EQ(count_lines({"<td class=row2> <span>5</span></td>"}).count(), 0);
    EXPECT_EQ(count_lines({"<td class=row2> 5</td>"}).count(), 0);
    // A tag that never closes swallows the rest.
    EXPECT_EQ(count_lines({"<td class=row2><span 5</td>"}).count(), 0);
    // Text up to the next tag only.
    EXPECT_EQ(count_lines({"<td class=row2>12<br>posts</td>"}).max_text(), "12");
    EXPECT_EQ(count_lines({"<td class=row2>12 posts</td>"}).count(), 0);
}

TEST(Popularity, LinesWithoutACompleteCellStandForTheirCell) {
    EXPECT_EQ(count_lines({"<span class=\"row2\">42</span>"}).max_text(), "42");
    EXPECT_EQ(count_lines({"  <span class=\"row2\">42</span>"}).count(), 0);
    // A "<td" without a "</td>" behind it: the whole line is read.
    EXPECT_EQ(count_lines({"<td class=\"row2\">17"}).max_text(), "17");
    EXPECT_EQ(count_lines({"\t<td class=\"row2\">17"}).count(), 0);
}

TEST(Popularity, OnlyPlainDigitsCount) {
    const auto c = count_lines({"<td class=row2>1,234</td>", "<td class=row2>-3</td>", "<td class=row2>+3</td>",
                                "<td class=row2>2.5</td>", "<td class=row2></td>", "<td class=row2>007</td>",
                                "<td class=Row2>500</td>", "<td class=ROW2>500</td>"});
    EXPECT_EQ(c.count(), 1);
    EXPECT_EQ(c.max_text(), "7");
}

TEST(Popularity, ZerosAreCountsToo) {
    const auto c = count_lines({"<td class=row2>0</td>", "<td class=row2>0</td>"});
    EXPECT_EQ(c.average_text(), "0");
    EXPECT_EQ(c.max_text(), "0");
}

TEST(Popularity, NothingCountedLeavesBothFiguresEmpty) {
    EXPECT_EQ(average_text(read_row2_counts(PageLines(""))), "");
    EXPECT_EQ(max_text(read_row2_counts(PageLines(""))), "");
    const auto c = count_lines({"<td class=row1>12</td>", "<td class=row2>none</td>"});
    EXPECT_EQ(c.count(), 0);
    EXPECT_EQ(c.average_text(), "");
    EXPECT_EQ(c.max_text(), "");
}

TEST(Popularity, CountsBeyond32BitsArePassedOverAndTheSumCannotOverflow) {
    auto c = count_lines({"<td class=row2>2147483648</td>", "<td class=row2>99999999999999999999999</td>",
                          "<td class=row2>4</td>"});
    EXPECT_EQ(c.count(), 1);
    EXPECT_EQ(c.average_text(), "4");
    c = count_lines({"<td class=row2>2147483647</td>", "<td class=row2>2147483647</td>",
                     "<td class=row2>0002147483647</td>"});
    EXPECT_EQ(c.count(), 3);
    EXPECT_EQ(c.sum(), 3 * std::int64_t{2147483647});
    EXPECT_EQ(c.average_text(), "2147483647");
    EXPECT_EQ(c.max_text(), "2147483647");
}

TEST(Popularity, ALaterEqualMaximumChangesNothingAndTheAverageRoundsDown) {
    const auto c = count_lines({"<td class=row2>3</td>", "<td class=row2>4</td>", "<td class=row2>4</td>"});
    EXPECT_EQ(c.average_text(), "3");  // 11 / 3
    EXPECT_EQ(c.max_text(), "4");
}

}  // namespace
