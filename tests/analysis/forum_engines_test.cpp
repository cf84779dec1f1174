// The engine readers and the numbers as boards print them.

#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/forum_engine.h"
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
        {"1\xE2\x80\xAF" "234", 1234}, {"12\xE2\x80\x99" "345", 12345}, {"1&#160;234&#160;567", 1234567},
        {",123", std::nullopt}, {"-3", std::nullopt},      {"", std::nullopt},
        {"12 posts", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parse_board_number(c.text), c.value) << c.text;

    // A count labelled in any language, on either side, or bare; one count per run.
    const Case labelled[] = {
        {"Threads: 79", 79},           {"Beitr\xC3\xA4ge: 1.234", 1234}, {"\n\t54725 Posts ", 54725},
        {"7 \xC4\xB0leti", 7},          {"\xE4\xB8\xBB\xE9\xA2\x98: 1354", 1354}, {" 556  &nbsp; ", 556},
        {" / 1,513", 1513},            {"Beitr&#228;ge: 7", 7},       {"Time: 10:30", std::nullopt},
        {"Posts: 18.1K", std::nullopt}, {"6\xE4\xB8\x87", std::nullopt}, {"1,234 Posts in 156 Topics", std::nullopt},
        {"Club2 News", std::nullopt},  {"Posts", std::nullopt},       {" (10)", std::nullopt},
    };
    for (const auto& c : labelled) EXPECT_EQ(parse_labelled_number(c.text), c.value) << c.text;
}

struct Expected {
    const char* page;
    const char* engine;
    std::int64_t numbers;
    const char* average;
    const char* max;
};

void expect_read(const std::string& page, const Expected& e, bool current_engines = true) {
    SCOPED_TRACE(e.page);
    const ForumFigures figures = read_forum_page(PageLines(page), current_engines);
    EXPECT_EQ(figures.engine, e.engine);
    EXPECT_EQ(figures.numbers, e.numbers);
    EXPECT_EQ(average_text(figures), e.average);
    EXPECT_EQ(max_text(figures), e.max);
}

class RealEnginePages : public ::testing::Test {
protected:
    void SetUp() override {
        if (!real_pages_present()) GTEST_SKIP() << "real pages not present at " << RAVELMOOT_REAL_FIXTURES;
    }
};

// Expected counts worked out apart from this code, by short Python scripts with regular
// expressions over each file (prosilver <dd class="(topics|posts)">(\d+) <dfn>; XenForo the <dd>
// values inside the node stats <div>; vBulletin 4 the number after ':' in each <li> of
// <ul class="forumstats td">; vBulletin 3 <td class="alt1">N</td>\s*<td class="alt2">N</td>;
// MyBB the number opening each <td class="trow[12]"...white-space: nowrap"> cell; SMF the two
// numbers of "N Posts <br />N Topics"; IP.Board the two numbers of each forum_stats <div>;
// Discuz! X the title of a short form, else the number after ": ", in each <dd><em>), separators
// removed, then count, sum // count and max. Classic pages keep exactly their "row2" figures.
TEST_F(RealEnginePages, EachPageIsReadByItsEngine) {
    const Expected expected[] = {
        // Sixteen forums, topics and posts each.
        {"phpbb3-prosilver-fightbb-2018.html", "phpBB 3", 32, "1669", "14286"},
        {"xenforo2-talkstats-2018.excerpt.html", "XenForo 2", 2, "37086", "56358"},
        // Nine nodes; the theme's second copy of each node's figures is not counted.
        {"xenforo1-f95zone.html", "XenForo 1", 18, "29451", "479177"},
        {"vbulletin4-thexuniverse-2018.excerpt.html", "vBulletin 4", 4, "196", "591"},
        {"vbulletin3-vozforums.html", "vBulletin 3", 88, "544208", "20666360"},
        // trow1 and trow2 count cells, grouped numbers ("5,736") among them.
        {"mybb-modderbase.html", "MyBB 1.8", 54, "102", "2641"},
        // 17 boards; the child boards' figures in link titles are part of their parents'.
        {"smf20-chemicalforums.html", "SMF 1.1 / 2.0", 34, "9871", "70213"},
        {"smf11-gwtwforum.excerpt.html", "SMF 1.1 / 2.0", 26, "3530", "24684"},
        {"ipb3-customsforge.excerpt.html", "IP.Board 3", 8, "4174", "17106"},
        // Fourteen forums; counts from 10,000 on through their exact titles.
        {"discuzx-openedv-zh.excerpt.html", "Discuz! X", 28, "24321", "429819"},
        {"phpbb2-alliance-index.html", "", 30, "79", "577"},
        {"phpbb2-flamekeepers-index.html", "", 30, "198", "2480"},
        {"phpbb3-subsilver2-warmacher.html", "", 154, "2624", "79568"},
        {"phpbb2-subsilver-index_body.tpl", "", 0, "", ""},
    };
    for (const auto& e : expected) expect_read(read_real_page(e.page), e);

    // The box unchecked: the classic rule alone, which misreads MyBB's trow2 cells.
    expect_read(read_real_page("mybb-modderbase.html"), {"mybb (classic)", "", 4, "12", "24"}, false);
}

// No real page of these engines was at hand: each page below is built from the markup that the
// engine's templates write, with counts chosen here.
TEST(EngineReaders, PagesBuiltFromTheEnginesTemplateMarkup) {
    const Expected expected[] = {
        {R"(<dl class="ipsDataItem_stats ipsDataItem_statsLarge"><dt class="ipsDataItem_stats_number">1,234</dt>
            <dd class="ipsDataItem_stats_type">posts</dd></dl>
            <dl class="ipsDataItem_stats"><dt class="ipsDataItem_stats_number">56</dt></dl>)",
         "Invision Community 4 / 5", 2, "645", "1234"},
        // The grid view: the first item is the post count, short from 1,000 on; a forum without
        // posts lists its followers first.
        {R"(<ul class='cForumGrid__title-stats'><li>45 messages</li><li><a href="x">3 followers</a></li></ul>
            <ul class='cForumGrid__title-stats'><li>1.2k messages</li></ul><ul class='cForumGrid__title-stats'><li><a>9 followers</a></li></ul>)",
         "Invision Community 4 / 5", 1, "45", "45"},
        {R"(<ul data-ips-hook="stats" class="ipsData__stats ipsData__stats--large"><li><span>999</span><span>Beitr&auml;ge</span></li></ul>
            <ul class="ipsData__stats ipsData__stats--large"><li><span>3.4K</span><span>posts</span></li></ul>)",
         "Invision Community 4 / 5", 1, "999", "999"},
        {R"(<div class="board_stats"><p>Posts: 1,234<br>Topics: 56</p></div>
            <div class="board_stats">
              <p>7 &#304;leti<br> 3 Konu</p>
            </div><div class="board_stats"><p>Redirects: 99</p></div>
            <div class="board_stats"><p><strong>Posts:</strong> 10<strong> Topics: </strong>2</p></div>
            <div class="board_stats">
              <div class="board_stats"><p><strong>1&#8239;000</strong> Beitr&auml;ge<br><strong>4</strong> Themen</p></div>
            </div>)",
         "SMF 2.1", 8, "289", "1234"},
        // One count per cell; the board's name cell holds a number too, among other text.
        {R"(<script>var smf_scripturl = "/index.php";</script><tr><td class="windowbg2"><b>Club 2012</b><br>Meets</td>
            <td class="windowbg" width="6%">1.234</td><td class="windowbg" width="6%">56</td></tr>)",
         "SMF 1.1 / 2.0", 2, "645", "1234"},
        // Topic rows listed above the forums: their replies are no forum's counts.
        {R"(<dl class="row-item"><dt><a href="viewtopic.php?t=1" class="topictitle">Rules</a></dt>
              <dd class="posts">999 <dfn>Replies</dfn></dd></dl>
            <dl class="row-item"><dt><a href="viewforum.php?f=2" class="forumtitle">General</a></dt>
              <dd class="topics">12 <dfn>Topics</dfn></dd><dd class="posts">30 <dfn>Posts</dfn></dd></dl>)",
         "phpBB 3", 2, "21", "30"},
        {R"(<td class='col_c_stats stats'><ul><li><strong>2</strong> temas</li><li><strong>1,000</strong> respostas</li></ul></td>
            <td class='col_c_stats stats'><ul><li>topics <strong>4</strong></li><li>replies <strong>6</strong></li></ul></td>)",
         "IP.Board 3", 4, "253", "1000"},
        {R"(<table class="fl_tb"><tr><td class="fl_i"><span class="xi2">38</span><span class="xg1"> / <span title="12000">1万</span></span></td>
            <td class="fl_i"><span class="xi2">7</span><span class="xg1"> / 6万</span></td></tr></table>)",
         "Discuz! X", 3, "4015", "12000"},
        {R"(<ul class="item-info"><li class="info-topics"><strong>46</strong> <span class="label">topics</span></li>
            <li class="info-posts"><strong>1,234</strong> <span class="label">posts</span></li></ul>)",
         "PunBB", 2, "640", "1234"},
        {R"(<span class="human-readable-number" title="867">867</span><span class="human-readable-number" title="12100">12.1k</span>)",
         "NodeBB", 2, "6483", "12100"},
        {R"(<tr class="rowodd"><td class="tcl">General</td><td class="tc2">12</td><td class="tc3">3 456</td></tr>
            <tr class="roweven"><td class="tcl">News</td><td class="tc2">5</td><td class="tc3">100</td></tr>)",
         "FluxBB / PunBB 1.2", 4, "893", "3456"},
        // A theme that shows the counts only in the compact boxes; short forms are passed over.
        {R"(<html id="XF" data-xf="2.3"><div class="node-statsMeta"><dl class="pairs pairs--inline"><dt>Themen</dt><dd>1.2K</dd></dl>
            <dl class="pairs pairs--inline"><dt>Beitr&auml;ge</dt><dd>987</dd></dl></div>)",
         "XenForo 2", 1, "987", "987"},
        {R"(<td class="topics-count">
              1,021
            </td><td class="posts-count">10,212</td>)", "vBulletin 5", 2, "5616", "10212"},
        // A top-level forum's list.
        {R"(<ul class="forumstats_2 td"><li>Themen: 103.425</li><li>Beitr&auml;ge: 2.203.947</li></ul>)",
         "vBulletin 4", 2, "1153686", "2203947"},
        {R"(<td class="BigCount CountDiscussions"><div class="Wrap"><span title="1,234 discussions" class="Number">1.2K</span></div></td>
            <td class="BigCount CountComments"><div class="Wrap"><span title="18,100 Kommentare" class="Number">18.1K</span></div></td>)",
         "Vanilla", 2, "9667", "18100"},
        // The list layout; a discussion row's "MCount" comment count is no category's.
        {R"(<span class="MItem MItem-Count DiscussionCount"><span title="5 discussions" class="Number">5</span> discussions</span>
            <span class="MItem MItem-Count CommentCount"><span title="2,001 comments" class="Number">2K</span> comments</span>
            <span class="MItem MCount CommentCount"><span title="77 comments" class="Number">77</span></span>)",
         "Vanilla", 2, "1003", "2001"},
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
        // The view for clients without scripts shows topic counts only.
        {R"(<table class='category-list'><thead><tr><th class='topics'>Topics</th></tr></thead>
            <tr><td class='topics'><div title='1234 Themen'>1234</div></td></tr><tr><td class='topics'><div title='6 Themen'>6</div></td></tr></table>)",
         "Discourse", 2, "620", "1234"},
        {R"(<script id="ajaxify-data" type="application/json">{"categories":[{"totalTopicCount":3,"totalPostCount":9}]}</script>)",
         "NodeBB", 2, "6", "9"},
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
        // The engine's marks may still name the page's engine; it has no figures all the same.
        EXPECT_EQ(figures.numbers, 0) << page;
        EXPECT_EQ(average_text(figures), "") << page;
    }
}

}  // namespace
