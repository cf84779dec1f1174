// The engine readers and the numbers as boards print them.

#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/forum_engines.h"
#include "analysis/forum_engines/forum_page.h"
#include "tests/support/real_pages.h"

#include <gtest/gtest.h>

namespace {

TEST(BoardNumber, ReadsGroupedCountsAndRefusesInexactOnes) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"17,815", 17815},      {"16.651", 16651},         {"1 234", 1234},
        {"1\xC2\xA0" "234", 1234}, {"1&nbsp;234", 1234},   {"1'234'567", 1234567},
        {" \t42\n", 42},        {"&nbsp;9&nbsp;", 9},      {"007", 7},
        {"2147483647", 2147483647}, {"2,147,483,647", 2147483647},
        {"2147483648", std::nullopt}, {"99999999999999999999", std::nullopt},
        {"18.1K", std::nullopt}, {"1.5", std::nullopt},    {"1,2345", std::nullopt},
        {"1,234.567", std::nullopt}, {"12345,678", std::nullopt}, {"1,", std::nullopt},
        {",123", std::nullopt}, {"-3", std::nullopt},      {"", std::nullopt},
        {"12 posts", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parse_board_number(c.text), c.value) << c.text;

    EXPECT_EQ(parse_labelled_number("Threads: 79"), 79);
    EXPECT_EQ(parse_labelled_number("Beitr\xC3\xA4ge: 1.234"), 1234);
    EXPECT_EQ(parse_labelled_number("Time: 10:30"), 30);
    EXPECT_EQ(parse_labelled_number("79"), std::nullopt);
    EXPECT_EQ(parse_labelled_number("Posts: 18.1K"), std::nullopt);
}

struct Expected {
    const char* page;
    const char* engine;
    std::int64_t numbers;
    const char* average;
    const char* max;
};

void expect_read(const std::string& page, const Expected& e) {
    SCOPED_TRACE(e.page);
    const ForumFigures figures = read_forum_page(PageLines(page), true);
    EXPECT_EQ(figures.engine, e.engine);
    EXPECT_EQ(figures.numbers, e.numbers);
    EXPECT_EQ(figures.average, e.average);
    EXPECT_EQ(figures.max, e.max);
}

class RealEnginePages : public ::testing::Test {
protected:
    void SetUp() override {
        if (!real_pages_present()) GTEST_SKIP() << "real pages not present at " << RAVELMOOT_REAL_FIXTURES;
    }
};

// Expected counts worked out apart from this code, by a short Python script with regular
// expressions over each file: prosilver <dd class="(topics|posts)">(\d+) <dfn>; XenForo the
// <dd> values inside <div class="node-stats">...</div>; vBulletin 4 the number after ':' in each
// <li> of <ul class="forumstats td">; vBulletin 3 <td class="alt1">N</td>\s*<td class="alt2">N</td>;
// MyBB the number opening each <td class="trow[12]"...white-space: nowrap"> cell; commas
// removed, then count, sum // count and max.
TEST_F(RealEnginePages, EachVerifiedEngineIsReadOnItsRealPage) {
    const Expected expected[] = {
        // Sixteen forums, topics and posts each.
        {"phpbb3-prosilver-fightbb-2018.html", "phpBB 3", 32, "1669", "14286"},
        {"xenforo2-talkstats-2018.excerpt.html", "XenForo 2", 2, "37086", "56358"},
        {"vbulletin4-thexuniverse-2018.excerpt.html", "vBulletin 4", 4, "196", "591"},
        {"vbulletin3-vozforums.html", "vBulletin 3", 88, "544208", "20666360"},
        // Classic pages keep exactly the "row2" figures (MyBB's small trow2 counts among them).
        {"phpbb2-alliance-index.html", "", 30, "79", "577"},
        {"phpbb3-subsilver2-warmacher.html", "", 154, "2624", "79568"},
        {"mybb-modderbase.html", "", 4, "12", "24"},
    };
    for (const auto& e : expected) expect_read(read_real_page(e.page), e);

    // Where the classic rule finds nothing on a MyBB board, its count cells are read.
    const ForumFigures mybb = read_mybb(PageLines(read_real_page("mybb-modderbase.html")));
    EXPECT_EQ(mybb.engine, "MyBB 1.8");
    EXPECT_EQ(mybb.numbers, 54);
    EXPECT_EQ(mybb.average, "102");
    EXPECT_EQ(mybb.max, "2641");

    // The box unchecked: the classic rule alone, which finds nothing here.
    EXPECT_EQ(read_forum_page(PageLines(read_real_page("phpbb3-prosilver-fightbb-2018.html")), false).numbers, 0);
}

// No real page of these engines was at hand: each page below is built from the markup that the
// engine's templates write, with counts chosen here.
TEST(EngineReaders, PagesBuiltFromTheEnginesTemplateMarkup) {
    const Expected expected[] = {
        {R"(<dl class="ipsDataItem_stats ipsDataItem_statsLarge"><dt class="ipsDataItem_stats_number">1,234</dt>
            <dd class="ipsDataItem_stats_type">posts</dd></dl>
            <dl class="ipsDataItem_stats"><dt class="ipsDataItem_stats_number">56</dt></dl>)",
         "Invision Community 4", 2, "645", "1234"},
        {R"(<div class="board_stats"><p>Posts: 1,234<br>Topics: 56</p></div>
            <div class="board_stats">
              <p>Beitr&auml;ge: 7<br>Themen: 3</p>
            </div>)",
         "SMF 2.1", 4, "325", "1234"},
        {R"(<tr class="rowodd"><td class="tcl">General</td><td class="tc2">12</td><td class="tc3">3 456</td></tr>
            <tr class="roweven"><td class="tcl">News</td><td class="tc2">5</td><td class="tc3">100</td></tr>)",
         "FluxBB", 4, "893", "3456"},
        {R"(<td class="topics-count">1,021</td><td class="posts-count">10,212</td>)", "vBulletin 5", 2, "5616", "10212"},
        {R"(<td class="BigCount CountDiscussions"><div class="Wrap"><span class="Number" title="1,234">1.2K</span></div></td>
            <td class="BigCount CountComments"><div class="Wrap"><span class="Number" title="18,100">18.1K</span></div></td>)",
         "Vanilla", 2, "9667", "18100"},
        // Only the top categories: a child's counts are part of its parent's already.
        {R"(<script>window._ajaxifyData = {"title":"Home","categories":[
              {"cid":1,"name":"News {and} [more]","totalTopicCount":5,"totalPostCount":20,
               "children":[{"cid":5,"totalTopicCount":100,"totalPostCount":200}]},
              {"cid":2,"totalTopicCount":"40","totalPostCount":900}]};</script>)",
         "NodeBB", 4, "241", "900"},
        // The category list stored as a JSON string inside the entity-encoded attribute.
        {R"(<div class="hidden" id="data-preloaded" data-preloaded="{&quot;categories_list&quot;:&quot;{\&quot;category_list\&quot;:{\&quot;categories\&quot;:[{\&quot;id\&quot;:1,\&quot;name\&quot;:\&quot;Say \\\&quot;hi\\\&quot;\&quot;,\&quot;topic_count\&quot;:12,\&quot;post_count\&quot;:345},{\&quot;id\&quot;:2,\&quot;topic_count\&quot;:3,\&quot;post_count\&quot;:9}]}}&quot;}"></div>)",
         "Discourse", 4, "92", "345"},
        {R"(<meta id="data-preloaded" data-preloaded="{&quot;category_list&quot;: {&quot;categories&quot;: [{&quot;topic_count&quot;: 1, &quot;post_count&quot;: 2}]}}">)",
         "Discourse", 2, "1", "2"},
        // Beyond 32 bits is passed over; the sum of the largest counts does not overflow.
        {R"(<dd class="posts">2,147,483,647 <dfn>Posts</dfn></dd><dd class="posts">2147483647 <dfn>Posts</dfn></dd>
            <dd class="topics">2147483648 <dfn>Topics</dfn></dd>)",
         "phpBB 3", 2, "2147483647", "2147483647"},
    };
    for (const auto& e : expected) expect_read(e.page, e);
}

TEST(EngineReaders, NamesAndClassesWithoutCountsGiveNothing) {
    const char* pages[] = {
        "Powered by phpBB, XenForo, vBulletin, Invision Community, MyBB, SMF, FluxBB, Vanilla, NodeBB and Discourse",
        R"(<dl><dt>Forum</dt><dd class="topics">Topics</dd><dd class="posts">Posts</dd></dl>)",
        R"(<dd class="topics">145</dd><dd class="posts">2526 posts</dd>)",
        // XenForo's compact copy is not counted, nor node stats on a page that is not XenForo's.
        R"(<html id="XF"><div class="node-statsMeta"><dl><dd>17,815</dd></dl></div><div class="node-stats"><dd>-</dd></div>)",
        R"(<html><div class="node-stats"><dl><dt>Threads</dt><dd>17,815</dd></dl></div>)",
        R"(<ul class="forumstats td"><li>Threads: -</li><li>Posts</li></ul>)",
        R"(<td class="alt1">87</td><td class="alt1">274</td><td class="alt1">5</td><td class="alt2"><img src="x"></td>)",
        R"(<td class="alt1" width="100%">87</td><td class="alt2">274</td>)",
        R"(<dt class="ipsDataItem_stats_number">18.1K</dt>)",
        R"(<td class="trow1" style="white-space: nowrap"><!-- last post --></td><td class="tcat" style="white-space: nowrap">87</td>)",
        R"(<div class="board_stats"><p>Posts<br>Topics</p></div><td class="tc2">-</td><td class="posts-count"></td>)",
        R"(<td class="CountComments"><span class="Number" title="many">1.2K</span></td>)",
        R"(<script>window._ajaxifyData = {"categories":[]};</script><script>window._ajaxifyData = {"categories":[{"totalTopicCount":5,)",
        R"(<div id="data-preloaded" data-preloaded="{}"></div>)",
    };
    for (const char* page : pages) {
        const ForumFigures figures = read_forum_page(PageLines(page), true);
        EXPECT_EQ(figures.numbers, 0) << page;
        EXPECT_EQ(figures.engine, "") << page;
    }
}

TEST(EngineReaders, ARow2PageIsReadByTheClassicRuleAlone) {
    const ForumFigures figures = read_forum_page(
        PageLines("<tr><td class=\"row2\">10</td></tr>\n<dd class=\"posts\">500 <dfn>Posts</dfn></dd>\n"), true);
    EXPECT_EQ(figures.engine, "");
    EXPECT_EQ(figures.numbers, 1);
    EXPECT_EQ(figures.max, "10");
}

}  // namespace
