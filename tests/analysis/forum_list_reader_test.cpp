// The board-index structure reader: alone (every record and the classic rule off) over the real
// board indexes, through the page reading over boards no record knows, and on topic lists
// written after the engines' templates, which it must never rate.

#include "analysis/forum_engines/forum_list_links.h"
#include "analysis/forum_engines/forum_list_reader.h"
#include "analysis/forum_engines/forum_page.h"
#include "analysis/calendar_day.h"
#include "tests/support/real_pages.h"

#include <gtest/gtest.h>

namespace {

// Tue, 20 Mar 2018 10:30:00 GMT: after every 2018 page of the folder.
constexpr std::int64_t kMarch2018 = 1521541800;

class RealBoardIndexes : public ::testing::Test {
protected:
    void SetUp() override {
        if (!real_pages_present()) GTEST_SKIP() << "real pages not present at " << RAVELMOOT_REAL_FIXTURES;
    }
};

// Its own figures must be the record's, not merely some figures: a page it rates otherwise counts
// against it. The two it misses: a single forum (the XenForo 2 excerpt, below the two rows it
// asks for) and a MyBB theme that drops the column captions of its last category.
TEST_F(RealBoardIndexes, StructureAloneRatesMostAsTheirRecordsDo) {
    const struct {
        const char* name;
        bool as_record;
    } board_indexes[] = {
        {"phpbb2-alliance-index.html", true}, {"phpbb2-flamekeepers-index.html", true},
        {"phpbb3-subsilver2-warmacher.html", true}, {"mybb-modderbase.html", false},
        {"vbulletin3-vozforums.html", true}, {"phpbb3-prosilver-fightbb-2018.html", true},
        {"xenforo2-talkstats-2018.excerpt.html", false}, {"vbulletin4-thexuniverse-2018.excerpt.html", true},
        {"xenforo1-f95zone.html", true}, {"smf20-chemicalforums.html", true},
        {"smf11-gwtwforum.excerpt.html", true}, {"ipb3-customsforge.excerpt.html", true},
        {"discuzx-openedv-zh.excerpt.html", true},
    };
    int same = 0;
    for (const auto& index : board_indexes) {
        SCOPED_TRACE(index.name);
        const PageLines page(read_real_page(index.name));
        const ForumFigures record = read_forum_page(page, true, kMarch2018);
        const auto alone = read_forum_list(page, kMarch2018);
        ASSERT_GT(record.numbers, 0);
        const bool as_record =
            alone && alone->numbers == record.numbers && alone->average == record.average && alone->max == record.max;
        EXPECT_EQ(as_record, index.as_record) << (alone ? alone->reading : "declined");
        same += as_record ? 1 : 0;
    }
    EXPECT_GE(same * 10, 8 * static_cast<int>(std::size(board_indexes)));
}

TEST_F(RealBoardIndexes, StructureAloneRatesNoOtherPage) {
    for (const char* name : {"phpbb2-subsilver-index_body.tpl", "google-2014-basic.html", "google-2014-js.html",
                             "bing-2015.html", "ddg-2015.html", "ddg-html-2025-eino.html", "searx-1.1.0-debian12-html-page1.html"})
        EXPECT_FALSE(read_forum_list(PageLines(read_real_page(name)), kMarch2018)) << name;
}

// Expected figures worked out apart from this code by regular expressions over each file's count
// cells (separators removed); dates read off the pages, with the archive's capture time as the
// download time.
TEST_F(RealBoardIndexes, BoardsWithoutARecordAreReadAsForumLists) {
    const struct {
        const char* page;
        const char* served;
        std::int64_t numbers;
        const char* average;
        const char* max;
        const char* newest;
        const char* reading;
    } expected[] = {
        {"vbulletin2-graffe.excerpt.html", "Fri, 04 Jul 2003 09:19:44 GMT", 36, "2503", "14552", "2003-07-04",
         "Read as a forum list: 18 forums, captions Threads / Posts"},
        // One count a forum; "6/27/01" month first, as "6/26/01" beside it proves nothing but 27 does.
        {"ezboard-lormani.html", "Wed, 27 Jun 2001 17:51:56 GMT", 9, "316", "1240", "2001-06-27",
         "Read as a forum list: 9 forums, captions Posts"},
        // Its dates have no year: none is guessed.
        {"snowboards-ign-vnboards-eqmain.html", "Wed, 06 Dec 2000 15:55:00 GMT", 32, "2119", "34567", "",
         "Read as a forum list: 16 forums, captions Topics / Messages"},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.page);
        const ForumFigures figures =
            read_forum_page(PageLines(read_real_page(e.page)), true, parse_http_date(e.served).value());
        EXPECT_EQ(figures.engine_id, "generic");
        EXPECT_EQ(figures.numbers, e.numbers);
        EXPECT_EQ(average_text(figures), e.average);
        EXPECT_EQ(max_text(figures), e.max);
        EXPECT_EQ(newest_post_text(figures), e.newest);
        EXPECT_EQ(figures.reading, e.reading);
    }
    // The classic rule alone, as the option asks, reads none of them.
    EXPECT_EQ(read_forum_page(PageLines(read_real_page("vbulletin2-graffe.excerpt.html")), false).numbers, 0);
}

// Markup written after the engines' templates, counts chosen here: topic lists (their captions,
// or counts in rows that link a topic) and lists that leave a doubt are declined; board indexes
// of engines without a record are read.
TEST(ForumListReader, ReadsForumListsAndDeclinesTopicListsAndDoubts) {
    const struct {
        const char* page;
        std::int64_t numbers;  // 0: declined
        const char* newest = "";
    } cases[] = {
        // phpBB 2 viewforum: Topics, Replies, Author, Views.
        {R"(<table><tr><th colspan="2">Topics</th><th>Replies</th><th>Author</th><th>Views</th></tr>
            <tr><td></td><td><a href="viewtopic.php?t=1">A</a></td><td>5</td><td><a href="profile.php?u=2">x</a></td><td>90</td></tr>
            <tr><td></td><td><a href="viewtopic.php?t=2">B</a></td><td>7</td><td><a href="profile.php?u=3">y</a></td><td>80</td></tr></table>)", 0},
        // prosilver viewforum rows with labelled replies and views.
        {R"(<ul class="topiclist topics"><li class="row"><dl><dt><a href="./viewtopic.php?t=4" class="topictitle">A</a></dt>
            <dd class="posts">3 <dfn>Replies</dfn></dd><dd class="views">40 <dfn>Views</dfn></dd></dl></li>
            <li class="row"><dl><dt><a href="./viewtopic.php?t=5" class="topictitle">B</a></dt>
            <dd class="posts">2 <dfn>Replies</dfn></dd><dd class="views">9 <dfn>Views</dfn></dd></dl></li></ul>)", 0},
        // vBulletin 3 forumdisplay: its captions are sort links.
        {R"(<table id="threadslist"><tr><td class="thead"><a href="forumdisplay.php?f=2&amp;sort=title">Thread</a> /
            <a href="forumdisplay.php?f=2&amp;sort=postusername">Thread Starter</a></td>
            <td class="thead"><a href="forumdisplay.php?f=2&amp;sort=replycount">Replies</a></td>
            <td class="thead"><a href="forumdisplay.php?f=2&amp;sort=views">Views</a></td></tr>
            <tr><td class="alt1"><a href="showthread.php?t=1">A</a></td><td class="alt2"><a href="misc.php?do=whoposted&amp;t=1">5</a></td><td class="alt1">100</td></tr>
            <tr><td class="alt1"><a href="showthread.php?t=2">B</a></td><td class="alt2"><a href="misc.php?do=whoposted&amp;t=2">6</a></td><td class="alt1">90</td></tr></table>)", 0},
        // A blog's articles with their comment counts.
        {R"(<article><h2><a href="/2018/03/a/">A</a></h2><a href="/2018/03/a/#comments">12 Comments</a></article>
            <article><h2><a href="/2018/03/b/">B</a></h2><a href="/2018/03/b/#comments">3 Comments</a></article>)", 0},
        // A topic list whose only caption is "Replies" beside each topic's link.
        {R"(<div><a href="/topic/1-a/">A</a> Replies: 4</div><div><a href="/topic/2-b/">B</a> Replies: 6</div>)", 0},
        // One forum is no list; neither are counts without a caption, nor a forum's two post counts.
        {R"(<table><tr><th>Forum</th><th>Topics</th><th>Posts</th></tr>
            <tr><td><a href="forum.asp?FORUM_ID=1">A</a></td><td>5</td><td>50</td></tr></table>)", 0},
        {R"(<table><tr><td><a href="forum.asp?FORUM_ID=1">A</a></td><td>5</td><td>50</td></tr>
            <tr><td><a href="forum.asp?FORUM_ID=2">B</a></td><td>6</td><td>60</td></tr></table>)", 0},
        {R"(<div><a href="b.php?id=1">A</a> Posts: 5 <span>Posts: 9</span></div><div><a href="b.php?id=2">B</a> Posts: 5 <span>Posts: 7</span></div>)", 0},
        // Snitz: Topics / Posts columns, month-first dates proven by the 27th.
        {R"(<table><tr><td><b>Forum</b></td><td><b>Topics</b></td><td><b>Posts</b></td><td><b>Last Post</b></td></tr>
            <tr><td><a href="forum.asp?FORUM_ID=1">A</a></td><td>1,234</td><td>5,678</td><td>06/27/2003 12:56:35<br>by <a href="pop_profile.asp?mode=display&id=3">x</a></td></tr>
            <tr><td><a href="forum.asp?FORUM_ID=2">B</a></td><td>12</td><td>34</td><td>07/01/2003 08:00:00 <a href="topic.asp?TOPIC_ID=9&whichpage=-1#last">&raquo;</a></td></tr></table>)",
         4, "2003-07-01"},
        // PHPWind: the forum's name in a <th> under a heading, today's posts in brackets, the last
        // post's date year first.
        {R"(<table><tr><th class="h" colspan="6">&raquo; <h2><a href="index.php?cateid=1">Games</a></h2></th></tr>
            <tr class="tr2"><td colspan="2">论坛</td><td>主题</td><td>文章</td><td>最后发表</td><td>版主</td></tr>
            <tr class="tr3 f_one"><td><a href="thread.php?fid=2"><img src="f.gif" /></a></td>
              <th><h2><a href="thread.php?fid=2">News</a></h2> <span class="s3 f12">(5)</span><br /><span>About</span></th>
              <td><span class="f10">120</span><br /></td><td><span class="f10">3456</span><br /></td>
              <th><a href="read.php?tid=77&page=e#a" class="a2">Re: hi</a><br /><span class="f9 gray">[ 2008-07-04 10:23 ]</span></th>
              <td><select name="admin"><option value=""> x</option></select></td></tr>
            <tr class="tr3 f_one"><td><a href="thread.php?fid=3"><img src="f.gif" /></a></td>
              <th><h2><a href="thread.php?fid=3">Talk</a></h2> <span class="s3 f12">(0)</span></th>
              <td><span class="f10">7</span><br /></td><td><span class="f10">80</span><br /></td>
              <th><a href="read.php?tid=9&page=e#a" class="a2">Yo</a><br /><span class="f9 gray">[ 2008-07-01 08:00 ]</span></th><td></td></tr></table>)",
         4, "2008-07-04"},
        // WoltLab Suite's board list: labels in <dt>, counts in <dd>; the sidebar's totals link no forum.
        {R"(<li class="wbbBoardContainer"><h3><a href="/forum/board/2-news/" class="wbbBoardLink">News</a></h3>
            <dl class="plain statsDataList"><dt>Themen</dt><dd>1.204</dd><dt>Beitr&auml;ge</dt><dd>16.651</dd></dl>
            <time datetime="2024-02-11T10:00:00+01:00">11. Februar 2024</time></li>
            <li class="wbbBoardContainer"><h3><a href="/forum/board/3-talk/" class="wbbBoardLink">Talk</a></h3>
            <dl class="plain statsDataList"><dt>Themen</dt><dd>7</dd><dt>Beitr&auml;ge</dt><dd>70</dd></dl></li>
            <section><h2>Statistik</h2><dl><dt>Themen</dt><dd>1.211</dd></dl></section>)",
         4, "2024-02-11"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        const auto figures = read_forum_list(PageLines(c.page), kMarch2018 + 200'000'000);
        EXPECT_EQ(figures ? figures->numbers : 0, c.numbers);
        if (figures) {
            EXPECT_EQ(newest_post_text(*figures), c.newest);
        }
    }
}

// The addresses of forums, topics and the rest as the engines of boards without a record write them.
TEST(ForumListReader, TellsForumLinksFromTopicAndOtherLinks) {
    const struct {
        const char* href;
        ListLink kind;
    } cases[] = {
        {"thread.php?fid=2", ListLink::Forum},                      {"read.php?tid=77&page=e#a", ListLink::Topic},
        {"forum.asp?FORUM_ID=1", ListLink::Forum},                  {"topic.asp?TOPIC_ID=9&whichpage=-1#last", ListLink::Topic},
        {"YaBB.pl?board=general", ListLink::Forum},                 {"YaBB.pl?num=1215123/5#5", ListLink::Topic},
        {"ultimatebb.cgi?ubb=forum;f=1", ListLink::Forum},          {"ultimatebb.cgi?ubb=get_topic;f=1;t=000123", ListLink::Topic},
        {"ubbthreads.php?ubb=postlist&Board=1", ListLink::Forum},   {"ubbthreads.php?ubb=showflat&Number=123", ListLink::Topic},
        {"/forum/board/2-news/", ListLink::Forum},                  {"/forum/thread/5-hi/?action=lastPost", ListLink::Topic},
        {"forumdisplay.php?s=ab&forumid=5", ListLink::Forum},       {"showthread.php?s=ab&goto=lastpost&forumid=5", ListLink::Topic},
        {"./viewforum.php?f=26&amp;sid=bc", ListLink::Forum},       {"./viewtopic.php?f=26&amp;p=797590#p797590", ListLink::Topic},
        {"index.php?board=11.0", ListLink::Forum},                  {"index.php?topic=15134.msg126426#new", ListLink::Topic},
        {"http://pub51.ezboard.com/flormani79848frm1", ListLink::Forum}, {"board.asp?brd=5001", ListLink::Forum},
        {"member.php?s=ab&action=getinfo&find=lastposter", ListLink::Other},
        {"http://pub51.ezboard.com/uastarix.showPublicProfile", ListLink::Other},
        {"index.php?action=unread;board=11.0", ListLink::Other},    {"javascript:void(0)", ListLink::Other},
        {"#top", ListLink::Other},
    };
    for (const auto& c : cases) EXPECT_EQ(list_link_kind(c.href), c.kind) << c.href;
}

// A Discuz! X index whose forums show only today's counts (in brackets beside the name) has no
// list to read: it stays the record's, without figures, dated by its last-post tooltips.
TEST(ForumListReader, LeavesAnIndexOfTodaysCountsToItsRecord) {
    const ForumFigures figures = read_forum_page(PageLines(R"(<table class="fl_tb"><tr>
        <td class="fl_g"><dl><dt><a href="forum.php?mod=forumdisplay&fid=2">News</a><em class="xw0 xi1" title="Today"> (12)</em></dt>
        <dd><a href="forum.php?mod=redirect&tid=9&goto=lastpost#lastpost">Last: <span title="2018-3-19 08:53">2&nbsp;days</span></a></dd></dl></td>
        <td class="fl_g"><dl><dt><a href="forum.php?mod=forumdisplay&fid=3">Talk</a><em class="xw0 xi1" title="Today"> (3)</em></dt>
        <dd><a href="forum.php?mod=redirect&tid=4&goto=lastpost#lastpost">Last: <span title="2018-3-17 10:00">4&nbsp;days</span></a></dd></dl></td>
        </tr></table>)"),
                                                 true, kMarch2018);
    EXPECT_EQ(figures.engine_id, "discuzx");
    EXPECT_EQ(figures.numbers, 0);
    EXPECT_EQ(newest_post_text(figures), "2018-03-19");
}

}  // namespace
