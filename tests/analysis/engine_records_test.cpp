// The engine records: each one whole, and each engine's page read through the whole reading
// (recognised, counted, dated) from the markup its templates write.

#include "analysis/calendar_day.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/forum_page.h"
#include "tests/support/real_pages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(EngineRecords, EachRecordIsWholeAndNamedOnce) {
    std::set<std::string_view> ids, names;
    for (const ForumEngine* engine : forum_engines()) {
        SCOPED_TRACE(engine->id);
        EXPECT_FALSE(engine->id.empty());
        EXPECT_FALSE(engine->name.empty());
        EXPECT_NE(engine->recognises, nullptr);
        EXPECT_NE(engine->count, nullptr);
        EXPECT_NE(engine->newest_post, nullptr);
        EXPECT_NE(engine->page_kind, nullptr);
        EXPECT_NE(engine->board_index_link, nullptr);
        EXPECT_TRUE(ids.insert(engine->id).second);
        EXPECT_TRUE(names.insert(engine->name).second);
    }
}

struct Reading {
    const char* engine_id;
    const char* page;
    std::int64_t numbers;
    const char* average;
    const char* newest;
};

// Each page holds the markup of the engine's templates: its marks, forum rows with their counts
// and last-post cells, and beside them what must not count (board clocks, topic rows).
TEST(EngineRecords, EachEnginesPageIsRecognisedCountedAndDated) {
    const std::int64_t served = parse_http_date("Tue, 20 Mar 2018 10:30:00 GMT").value();
    const Reading readings[] = {
        {"phpbb3", R"(<body id="phpbb"><p>It is currently Tue Mar 20, 2018 10:30 am</p><dl class="row-item"><dt>
            <a href="./viewforum.php?f=2" class="forumtitle">General</a></dt><dd class="topics">12 <dfn>Topics</dfn></dd>
            <dd class="posts">30 <dfn>Posts</dfn></dd><dd class="lastpost"><span><dfn>Last post</dfn> by <a>x</a>
            <br />Sun Mar 18, 2018 9:24 am</span></dd></dl>)", 2, "21", "2018-03-18"},
        {"xenforo2", R"(<html id="XF"><div class="node-stats"><dl><dt>Threads</dt><dd>5</dd></dl><dl><dt>Messages</dt>
            <dd>9</dd></dl></div><div class="node-extra"><time class="u-dt" datetime="2018-03-16T17:52:18-0400">Friday</time></div>)",
         2, "7", "2018-03-16"},
        {"xenforo1", R"(<html id="XenForo"><div class="nodeStats"><dl><dt>Discussions:</dt> <dd>4</dd></dl><dl><dt>Messages:</dt>
            <dd>8</dd></dl></div><div class="nodeLastPost"><abbr class="DateTime" data-time="1521399376"
            data-datestring="Mar 18, 2018">Sunday at 6:56 PM</abbr></div>)", 2, "6", "2018-03-18"},
        {"vbulletin4", R"(<meta name="generator" content="vBulletin 4.2.5" /><body><ul class="forumstats td"><li>Threads: 79</li>
            <li>Posts: 591</li></ul><p class="lastpostdate">Yesterday, <span class="time">09:36 PM</span></p>)",
         2, "335", "2018-03-19"},
        {"vbulletin3", R"(<td class="alt1Active" id="f2"><a href="forumdisplay.php?f=2">News</a></td>
            <td class="alt2"><div class="smallfont"><a href="showthread.php?goto=lastpost&amp;t=9">Topic</a><br />by x
            <div align="right">03-17-2018 <span class="time">04:11 PM</span> <a href="showthread.php?p=5#post5"><img
            alt="Go to last post" src="lastpost.gif" /></a></div></div></td><td class="alt1">87</td><td class="alt2">274</td>)",
         2, "180", "2018-03-17"},
        {"invision4", R"(<body class="ipsApp ipsApp_front"><dl class="ipsDataItem_stats"><dt class="ipsDataItem_stats_number">1,234</dt>
            </dl><ul class="ipsDataItem_lastPoster"><li><a>Topic</a></li><li><time datetime="2018-03-17T16:11:00Z"
            title="03/17/2018 04:11  PM">Saturday at 04:11 PM</time></li></ul>)", 1, "1234", "2018-03-17"},
        {"ipboard3", R"(<table class='ipb_table'><td class='col_c_stats stats'><ul><li><strong>2</strong> topics</li>
            <li><strong>10</strong> replies</li></ul></td><td class='col_last'><ul class='last_post ipsType_small'><li><a
            href='topic/9'>Topic</a></li><li><a href='topic/9?view=getlastpost'>Yesterday, 06:32 AM</a></li></ul></td></table>)",
         2, "6", "2018-03-19"},
        // The last-post cell of the default theme with friendly addresses: the tooltip's exact time
        // stands for "9 hours ago"; a plain relative time where there is none.
        {"mybb", R"(<script>var my_post_key = "ab12";</script><tr><td class="trow1" valign="top"><strong><a
            href="forum-2.html">General</a></strong></td><td class="trow1" style="white-space: nowrap">87</td>
            <td class="trow1" style="white-space: nowrap">5,736</td><td class="trow1" style="white-space: nowrap"><span
            class="smalltext"><a href="thread-24734-lastpost.html" title="Subject of March 21"><strong>Subject of March
            21</strong></a><br /><span title="03-19-2018, 02:10 PM">20 hours ago</span><br />by <a>x</a></span></td></tr>
            <tr><td class="trow2" style="white-space: nowrap"><span class="smalltext"><a href="thread-9-lastpost.html"
            title="t"><strong>t</strong></a><br />2 days ago<br />by <a>y</a></span></td></tr>)", 2, "2911", "2018-03-19"},
        {"smf1", R"(<script>var smf_scripturl = "/index.php";</script><td class="windowbg stats">54725 Posts <br />11414 Topics</td>
            <td class="lastpost">Last post by <a>x</a><br />in <a href="?topic=3.msg9#new">Re: y</a><br />on March 13,
            2018, 04:11:00 pm</td>)", 2, "33069", "2018-03-13"},
        {"discuzx", R"(<meta name="generator" content="Discuz! X3.4" /><table class="fl_tb"><tr><td class="fl_i">
            <span class="xi2">38</span><span class="xg1"> / 120</span></td><td class="fl_by"><div><a
            href="forum.php?mod=redirect&amp;tid=9&amp;goto=lastpost#lastpost">Topic</a> <cite>2018-3-11 17:08
            <a>x</a></cite></div></td></tr></table>)", 2, "79", "2018-03-11"},
        {"smf21", R"(<script>var smf_scripturl = "/index.php"; var smf_member_id = 0;</script><div class="board_stats">
            <p>Posts: 1,234<br>Topics: 56</p></div><div class="lastpost"><p><strong>Last post</strong> by <a>x</a><br>in
            <a>Re: y</a><br>on March 13, 2018, 04:11:00 pm</p></div>)", 2, "645", "2018-03-13"},
        {"fluxbb", R"(<div id="punindex" class="pun"><tr><td class="tc2">12</td><td class="tc3">3 456</td><td class="tcr"><a
            href="viewtopic.php?pid=9#p9">2018-03-16 16:11:00</a> <span class="byuser">by x</span></td></tr>)",
         2, "1734", "2018-03-16"},
        {"punbb", R"(<div id="brd-wrap" class="brd"><ul class="item-info"><li class="info-topics"><strong>46</strong>
            topics</li><li class="info-posts"><strong>1,234</strong> posts</li><li class="info-lastpost"><strong><a
            href="p">Today 09:15:00</a></strong> <cite>by x</cite></li></ul>)", 2, "640", "2018-03-20"},
        {"vbulletin5", R"(<td class="topics-count">1,021</td><td class="posts-count">10,212</td><td class="cell-lastpost">
            <div><a>Topic</a></div><span class="post-date">03-14-2018, 04:11 PM</span></td>)", 2, "5616", "2018-03-14"},
        {"vanilla", R"(<body id="vanilla_categories_index"><td class="BigCount CountDiscussions"><span title="1,234 discussions"
            class="Number">1.2K</span></td><td class="BigCount CountComments"><span title="18,100 comments"
            class="Number">18.1K</span></td><td class="BlockColumn LatestPost"><a class="LatestPostTitle">March 19, 2018
            news</a> <a class="CommentDate"><time datetime="2018-03-15T16:11:00+00:00">March 15</time></a></td>)",
         2, "9667", "2018-03-15"},
        // Both page forms: the data embedded as <script id="ajaxify-data">, and the rendered list.
        {"nodebb", R"(<script id="ajaxify-data" type="application/json">{"categories":[{"totalTopicCount":3,
            "totalPostCount":9,"teaser":{"timestampISO":"2018-03-12T16:11:00.000Z"},"posts":[]}]}</script>)",
         2, "6", "2018-03-12"},
        {"nodebb", R"(<script src="/assets/nodebb.min.js"></script><span class="human-readable-number" title="867">867</span>
            <div class="teaser"><p><a href="/user/x"><img></a> <a class="permalink" href="/post/5"><small class="timeago"
            title="2018-03-19T23:30:05.617Z"></small></a></p></div><div component="category/posts"><a class="permalink
            timeago" href="/post/6" title="2018-03-20T09:00:00.000Z"></a></div>)", 1, "867", "2018-03-20"},
        {"discourse", R"(<meta name="generator" content="Discourse 2.0.0"><div class="hidden" id="data-preloaded"
            data-preloaded="{&quot;category_list&quot;: {&quot;categories&quot;: [{&quot;topic_count&quot;: 1,
            &quot;post_count&quot;: 2, &quot;topics&quot;: [{&quot;last_posted_at&quot;: &quot;2018-03-10T16:11:00.000Z&quot;}]}]}}"></div>)",
         2, "1", "2018-03-10"},
        {"woltlab", R"(<body id="tpl_wbb_boardList" data-template="boardList" data-application="wbb"><ul class="wbbBoardList">
            <li class="wbbBoardContainer"><div class="wbbBoardNode wbbBoard"><h3 class="wbbBoardTitle"><a href="board/2-news/">News</a>
            </h3><div class="wbbStats"><dl class="plain statsDataList"><dt>Themen</dt><dd>1.234</dd><dt>Beitr&auml;ge</dt>
            <dd>5.678</dd></dl><div class="messageGroupListStatsSimple">5,7 Tsd.</div></div><div class="wbbLastPost"><small><a
            class="username">x</a> - <time datetime="2018-03-19T14:10:00+01:00" class="datetime">Gestern, 14:10</time></small>
            </div></div></li></ul>)", 2, "3456", "2018-03-19"},
        // Ages in words: "1 week, 2 days ago" is nine days back, "3 months, 1 week ago" no exact day.
        {"bbpress", R"(<div id="bbpress-forums" class="bbpress-wrapper"><ul class="bbp-forums"><li class="bbp-header"><ul
            class="forum-titles"><li class="bbp-forum-topic-count">Topics</li><li class="bbp-forum-reply-count">Posts</li></ul>
            </li><li class="bbp-body"><ul id="bbp-forum-5" class="bbp-forum-status-open forum type-forum"><li class="bbp-forum-info">
            <a class="bbp-forum-title" href="/forums/forum/general/">General</a></li><li class="bbp-forum-topic-count">12</li>
            <li class="bbp-forum-reply-count">1,034</li><li class="bbp-forum-freshness"><a href="/forums/topic/x/#post-9"
            title="Reply To: x">1 week, 2 days ago</a><p class="bbp-topic-meta"><span>x</span></p></li></ul><ul id="bbp-forum-6">
            <li class="bbp-forum-freshness"><a href="/forums/topic/y/" title="y">3 months, 1 week ago</a></li></ul></li></ul></div>)",
         2, "523", "2018-03-11"},
        {"kunena", R"(<div id="kunena" class="layout"><div class="kfrontend shadow-lg rounded border section"><table class="table">
            <tr class="category" id="category2"><td colspan="6"><div><h3><a href="/forum/news">News</a><small class="nowrap"><span
            id="kcatcount">12 Topics</span></small></h3></div><ul class="list-inline"><li class="float-start"><a href="/forum/sub">Sub
            </a><small class="d-none d-sm-block muted"> (5)</small></li></ul></td><td colspan="5"><div id="kcat-last"><span
            class="lastpostlink"><a href="/forum/news/9-subject">Subject</a></span><br><span class="datepost">2 Days 5 Hours
            ago</span></div></td></tr><tr class="category" id="category3"><td><h3><a href="/forum/help">Help</a><small><span
            id="kcatcount">30 Topics</span></small></h3></td><td><span class="datepost">12 Mar 2018 16:11</span></td></tr></table>
            </div></div>)", 2, "21", "2018-03-18"},
        {"proboards", R"(<script src="https://storage.proboards.com/6/js/x.js"></script><div class="container boards"><table
            class="list"><tr class="board item" id="board-general"><td class="main clickable"><a href="/board/1/general">General</a>
            </td><td class="threads">1,234</td><td class="posts">5,678</td><td class="latest"><a href="/thread/9/subject">Subject</a>
            by <a>x</a> <abbr class="o-timestamp time" data-timestamp="1521465000000" title="Mar 19, 2018 14:10:00 GMT">Yesterday
            at 2:10pm</abbr></td></tr></table></div>)", 2, "3456", "2018-03-19"},
        // The phpBB2-like layout: each count alone in a cell of the forum's row, the last post in its last cell.
        {"forumotion", R"(<script src="https://illiweb.com/rs3/lang/en.js"></script><table class="forumline"><tr><td
            class="row1 over"><h2 class="hierarchy"><a href="/f1-general" class="forumlink">General</a></h2><span class="genmed">Talk
            since 2010</span></td><td class="row3" align="center"><span class="gensmall">12</span></td><td class="row3"
            align="center"><span class="gensmall">345</span></td><td class="row3 over"><span class="gensmall">Today at 9:15<br /><a
            href="/u1">x</a> <a href="/t9-subject#20"><img alt="View latest post" /></a></span></td></tr></table>)",
         2, "178", "2018-03-20"},
        // Each top-level primary tag once; a child tag's and a secondary tag's discussions are counted in others.
        {"flarum", R"(<div id="app" class="App"><div class="Header-title"><a href="https://h.example" id="home-link">Board</a>
            </div><noscript id="flarum-content"><div class="container"><h2>All Discussions</h2><ul><li><a
            href="https://h.example/d/9-subject">Subject</a></li></ul></div></noscript></div><script id="flarum-json-payload"
            type="application/json">{"resources":[{"type":"forums","id":"1","attributes":{"title":"Board"}},{"type":"tags","id":"1",
            "attributes":{"name":"General","discussionCount":12,"position":0,"isChild":false,"lastPostedAt":"2018-03-15T10:00:00+00:00"}},
            {"type":"tags","id":"2","attributes":{"discussionCount":5,"position":0,"isChild":true}},{"type":"tags","id":"3",
            "attributes":{"discussionCount":40,"position":null,"isChild":false}},{"type":"tags","id":"4","attributes":{
            "discussionCount":30,"position":1,"isChild":false}}],"apiDocument":{"data":[{"type":"discussions","id":"9","attributes":{
            "commentCount":12,"lastPostedAt":"2018-03-19T08:00:00+00:00"}}],"included":[{"type":"tags","id":"1","attributes":{
            "discussionCount":12,"position":0,"isChild":false}}]}}</script>)", 2, "21", "2018-03-19"},
        // Recognised by its marks where no whole-number count can be read: still that engine, and dated.
        {"phpbb3", R"(<body id="phpbb"><dd class="posts">1.2k <dfn>Posts</dfn></dd><dd class="lastpost"><span>by <a>x</a>
            <br />20 Mar 2018, 09:24</span></dd>)", 0, "", "2018-03-20"},
        {"discuzx", R"(<table class="fl_tb"><tr><td class="fl_g"><dl><dt><a>News</a><em class="xw0 xi1"> (5)</em></dt>
            <dd><a href="forum.php?mod=redirect&amp;goto=lastpost#lastpost">2018-3-19 08:53</a></dd></dl></td></tr></table>)",
         0, "", "2018-03-19"},
    };
    std::set<std::string_view> read;
    for (const Reading& r : readings) {
        SCOPED_TRACE(r.page);
        const ForumFigures figures = read_forum_page(PageLines(r.page), true, served);
        EXPECT_EQ(figures.engine_id, r.engine_id);
        EXPECT_EQ(figures.numbers, r.numbers);
        EXPECT_EQ(average_text(figures), r.average);
        EXPECT_EQ(newest_post_text(figures), r.newest);
        read.insert(r.engine_id);
    }
    for (const ForumEngine* engine : forum_engines()) EXPECT_TRUE(read.contains(engine->id)) << engine->id << " untested";
}

struct KindReading {
    const char* engine_id;
    const char* page;
    PageKind kind;
    const char* link;
    std::int64_t numbers;
};

// Each engine's non-index pages by its templates' markup: the kind, the board index link, and what
// counts: a forum page's sub-forum rows above its topic list, never topic rows or a topic page's
// suggested topics, though they use the forum rows' markup.
TEST(EngineRecords, EachEnginesPagesTellTheirKindAndBoardIndex) {
    using enum PageKind;
    const KindReading readings[] = {
        {"phpbb3", R"(<body id="phpbb" class="nojs section-viewtopic ltr"><span class="crumb"><a href="https://h.example/"
            data-navbar-reference="home">Home</a></span><span class="crumb"><a href="./index.php" accesskey="h"
            data-navbar-reference="index">Board index</a></span>)", TopicPage, "./index.php", 0},
        {"phpbb3", R"(<body id="phpbb" class="section-viewforum ltr"><a href="./index.php" accesskey="h">Board index</a>
            <dl><dt><a href="./viewforum.php?f=3" class="forumtitle">Sub</a></dt><dd class="topics">4 <dfn>Topics</dfn></dd>
            <dd class="posts">9 <dfn>Posts</dfn></dd></dl><ul class="topiclist topics"><dd class="posts">7 <dfn>Replies</dfn></dd>)",
         ForumPage, "./index.php", 2},
        {"xenforo2", R"(<html id="XF" data-template="thread_view"><a href="/forums/" class="p-navEl-link"
            data-nav-id="forums">Forums</a>)", TopicPage, "/forums/", 0},
        {"xenforo2", R"(<html id="XF" data-template="forum_view"><ul class="p-breadcrumbs"><li><a href="/">Forums</a></li></ul>
            <div class="structItemContainer"><dl class="pairs"><dt>Replies</dt><dd>5</dd></dl></div>)", ForumPage, "/", 0},
        {"xenforo1", R"(<html id="XenForo" class="Public"><span class="crust homeCrumb"><a href="https://h.example/">Home</a></span>
            <span class="crust selectedTabCrumb"><a href="forums/" class="crumb">Forums</a></span><div id="content"
            class="forum_view"><div class="nodeStats"><dl><dt>Discussions:</dt> <dd>4</dd></dl></div><div class="discussionList">
            <div class="nodeStats"><dl><dt>Replies:</dt> <dd>6</dd></dl></div>)", ForumPage, "forums/", 1},
        {"vbulletin4", R"(<meta name="generator" content="vBulletin 4.2.5" /><body><li class="navbithome"><a href="index.php?s="
            accesskey="1"><img alt="Home" /></a></li><div id="postlist" class="postlist">)", TopicPage, "index.php?s=", 0},
        {"vbulletin3", R"(<meta name="generator" content="vBulletin 3.8.7" /><a href="index.php" accesskey="1">Forum</a>
            <td class="alt1">3</td><td class="alt2">40</td><table id="threadslist"><td class="alt1">5</td><td class="alt2">100</td>)",
         ForumPage, "index.php", 2},
        {"invision4", R"(<body class="ipsApp ipsApp_front" data-pageapp="forums" data-pagecontroller="topic"><ul
            data-role="breadcrumbList"><li><a href="https://h.example/" title="Home">Home</a></li>)", TopicPage, "https://h.example/", 0},
        {"ipboard3", R"(<body id='ipboard_body'><ol class='breadcrumb top'><li><a href='https://h.example/index.php'>Board</a></li></ol>
            <table class='ipb_table'><td class='col_c_stats stats'><ul><li><strong>2</strong> topics</li></ul></td></table><table
            class='ipb_table topic_list' id='forum_table'><td class='col_c_stats'><ul><li><strong>8</strong></li></ul></td>)",
         ForumPage, "https://h.example/index.php", 1},
        {"mybb", R"(<script>var my_post_key = "ab";</script><div class="navigation"><a href="https://h.example/index.php">Board</a>
            </div><div id="posts"><td class="trow1" style="white-space: nowrap">12</td></div>)", TopicPage, "https://h.example/index.php", 0},
        {"smf1", R"(<script>var smf_scripturl = "/index.php";</script><div class="navigate_section"><ul><li><a
            href="https://h.example/index.php"><span>Board</span></a></li></ul></div><td class="windowbg stats">54 Posts <br />11
            Topics</td><div class="tborder topic_table" id="messageindex"><td class="windowbg stats">859 Replies <br />18323
            Views</td>)", ForumPage, "https://h.example/index.php", 2},
        {"smf1", R"(<script>var smf_scripturl = "/index.php";</script><div class="nav"><b><a href="https://h.example/index.php"
            class="nav">Board</a></b></div><div id="forumposts">)", TopicPage, "https://h.example/index.php", 0},
        {"discuzx", R"(<script>var discuz_uid = '0';</script><div id="pt" class="bm cl"><div class="z"><a href="./" class="nvhm">Home</a>
            <em>&rsaquo;</em><a href="forum.php">Forum</a><a href="forum.php?mod=forumdisplay&amp;fid=2">News</a></div></div>
            <div id="postlist" class="pl bm">)", TopicPage, "forum.php", 0},
        {"smf21", R"(<script>var smf_scripturl = "/index.php"; var smf_member_id = 0;</script><div class="navigate_section"><ul><li><a
            href="https://h.example/index.php"><span>Board</span></a></li></ul></div><div id="forumposts">)",
         TopicPage, "https://h.example/index.php", 0},
        {"fluxbb", R"(<div id="punviewforum" class="pun"><li id="navindex"><a href="index.php">Index</a></li><div id="vf"><tr>
            <td class="tc2">3</td><td class="tc3">50</td></tr></div>)", ForumPage, "index.php", 0},
        {"punbb", R"(<div id="brd-wrap" class="brd"><div id="brd-viewtopic"><span class="crumb crumbfirst"><a
            href="https://h.example/punbb/index.php">Forum</a></span>)", TopicPage, "https://h.example/punbb/index.php", 0},
        {"vbulletin5", R"(<meta name="generator" content="vBulletin 5.6.0" /><ul class="breadcrumbs"><li class="crumb"><a
            href="https://h.example/forum">Home</a></li></ul><ul class="conversation-list list-container thread-view">)",
         TopicPage, "https://h.example/forum", 0},
        {"vanilla", R"(<body id="vanilla_discussion_index" class="Vanilla Discussion"><script>gdn.meta = {};</script><a
            href="/categories?x=1">Categories</a>)", TopicPage, "/categories?x=1", 0},
        // The suggested topics under a topic carry the categories' number markup.
        {"nodebb", R"(<body class="page-topic page-topic-12 skin-noskin"><script src="/assets/nodebb.min.js"></script><ol
            class="breadcrumb"><li><a href="/">Home</a></li></ol><div component="topic/suggested"><span
            class="human-readable-number" title="718">718</span></div>)", TopicPage, "/", 0},
        {"nodebb", R"(<body class="page-category page-category-2"><script src="/assets/nodebb.min.js"></script><a href="/categories">C</a>
            <ul class="categories"><span class="human-readable-number" title="5">5</span></ul><ul component="category"
            class="topic-list"><span class="human-readable-number" title="3356">3.3k</span></ul>)", ForumPage, "/categories", 1},
        {"discourse", R"(<meta name="generator" content="Discourse 3.1"><a href="/categories">All categories</a><div class="hidden"
            id="data-preloaded" data-preloaded="{&quot;topic_42&quot;: &quot;{}&quot;}"></div>)", TopicPage, "/categories", 0},
        // Pages of a classic board, its styles and themes without the engine's own marks, told by the
        // engine's posting links; a topic list's row2 replies are no forum's counts.
        {"phpbb2", R"(<a href="index.php?sid=1"><img src="templates/subSilver/images/logo_phpBB.gif" /></a><span class="nav"><a
            href="index.php?sid=1" class="nav">Forum Index</a> -> <a href="viewforum.php?f=2" class="nav">General</a></span><a
            href="posting.php?mode=reply&amp;t=5"><img alt="Reply to topic" /></a>
            <tr><td width="150" class="row2"><span class="name"><b>x</b></span><br /><span class="postdetails">Posts: 12</span></td>)",
         TopicPage, "index.php?sid=1", 0},
        {"phpbb2", R"(<span class="nav"><a href="index.php" class="nav">Forum Index</a></span><a
            href="posting.php?mode=newtopic&amp;f=2"><img alt="Post new topic" /></a>
            <tr><td class="row1" width="100%"><span class="topictitle"><a href="viewtopic.php?t=5" class="topictitle">Subject</a>
            <td class="row2" align="center" valign="middle"><span class="postdetails">12</span></td>
            <td class="row2" align="center" valign="middle"><span class="postdetails">340</span></td>)", ForumPage, "index.php", 0},
        {"phpbb3", R"(<body class="custom"><a href="https://h.example/">Home</a><a href="./index.php?sid=ab">Forum</a><a
            href="./ucp.php?mode=login">Login</a><a href="./viewforum.php?f=2">General</a><a
            href="./posting.php?mode=reply&amp;f=2&amp;t=5">Reply</a>)", TopicPage, "./index.php?sid=ab", 0},
        {"phpbb3", R"(<a href="./ucp.php?mode=login">Login</a><a href="./index.php">Board index</a><a
            href="./posting.php?mode=newtopic&amp;f=2">New Topic</a><dl><dt><a href="./viewforum.php?f=3" class="forumtitle">Sub</a>
            </dt><dd class="topics">4 <dfn>Topics</dfn></dd></dl><dl><dt><a href="./viewtopic.php?f=2&amp;t=5">T</a></dt><dd
            class="posts">7 <dfn>Replies</dfn></dd></dl>)", ForumPage, "./index.php", 1},
        {"smf1", R"(<script>var smf_scripturl = "/index.php";</script><div class="nav"><b><a href="https://h.example/index.php"
            class="nav">Board</a></b></div><a href="https://h.example/index.php?action=post;topic=9.0;num_replies=5">Reply</a>)",
         TopicPage, "https://h.example/index.php", 0},
        {"smf1", R"(<script>var smf_scripturl = "/index.php";</script><div class="nav"><b><a href="https://h.example/index.php"
            class="nav">Board</a></b></div><td class="windowbg">54 Posts <br />11 Topics</td><a
            href="https://h.example/index.php?action=post;board=2.0">New topic</a><td class="windowbg"><span id="msg_12"><a>S</a>
            </span></td><td class="windowbg">859</td>)", ForumPage, "https://h.example/index.php", 2},
        {"vbulletin5", R"(<meta name="generator" content="vBulletin 5.6.0" /><ul class="breadcrumbs"><li class="crumb"><a
            href="https://h.example/forum">Home</a></li></ul><li class="b-post js-post" data-node-id="9">)",
         TopicPage, "https://h.example/forum", 0},
        {"vbulletin5", R"(<meta name="generator" content="vBulletin 5.6.0" /><ul class="breadcrumbs"><li class="crumb"><a
            href="/forum">Home</a></li></ul><td class="topics-count">3</td><td class="posts-count">40</td><table><tr
            class="topic-item"><td class="posts-count">7</td></tr></table>)", ForumPage, "/forum", 2},
        {"invision4", R"(<body class="ipsApp" data-ips-app="forums" data-ips-controller="topic"><ul data-role="breadcrumbList"><li><a
            href="https://h.example/">Home</a></li></ul>)", TopicPage, "https://h.example/", 0},
        {"invision4", R"(<body class="ipsApp" data-ips-controller="forums"><ul data-role="breadcrumbList"><li><a href="/">Home</a></li>
            </ul><ul class="ipsData__stats ipsData__stats--large"><li><span>99</span><span>posts</span></li></ul><ul class="ipsData
            ipsData--table ipsData--topic-list"><ul class="ipsData__stats ipsData__stats--large"><li><span>5</span></li></ul></ul>)",
         ForumPage, "/", 1},
        {"woltlab", R"(<body id="tpl_wbb_thread" data-template="thread" data-application="wbb"><nav class="breadcrumbs"><ol><li><a
            href="https://h.example/forum/">Forum</a></li><li><a href="https://h.example/forum/board/2-news/">News</a></li></ol></nav>)",
         TopicPage, "https://h.example/forum/", 0},
        {"woltlab", R"(<body id="tpl_wbb_board" data-application="wbb"><nav class="breadcrumbs"><ol><li><a href="/forum/">Forum</a>
            </li></ol></nav><ul class="wbbBoardList"><div class="wbbStats"><dl class="plain statsDataList"><dt>Threads</dt><dd>3</dd>
            </dl></div></ul><ol class="tabularList wbbThreadList"><div class="wbbStats"><dl class="plain statsDataList"><dt>Replies</dt>
            <dd>7</dd></dl></div></ol>)", ForumPage, "/forum/", 1},
        {"bbpress", R"(<div id="bbpress-forums" class="bbpress-wrapper"><div class="bbp-breadcrumb"><p><a href="https://h.example"
            class="bbp-breadcrumb-home">Home</a> <a href="https://h.example/forums/" class="bbp-breadcrumb-root">Forums</a></p></div>
            <ul id="topic-9-replies" class="forums bbp-replies">)", TopicPage, "https://h.example/forums/", 0},
        {"bbpress", R"(<div id="bbpress-forums"><div class="bbp-breadcrumb"><p><a href="/forums/" class="bbp-breadcrumb-root">Forums
            </a></p></div><ul class="bbp-forums"><li class="bbp-forum-topic-count">4</li><li class="bbp-forum-reply-count">9</li></ul>
            <ul id="bbp-forum-5" class="bbp-topics"><li class="bbp-forum-topic-count">2</li><li class="bbp-topic-reply-count">6</li>
            </ul>)", ForumPage, "/forums/", 2},
        // Joomla's own breadcrumb, before Kunena's, starts at the site's home.
        {"kunena", R"(<body class="site com_kunena view-topic no-layout"><ol class="breadcrumb"><li><a href="/">Home</a></li></ol><div
            id="kunena" class="layout"><ol class="breadcrumb"><li><a href="/forum">Forum</a></li></ol>)", TopicPage, "/forum", 0},
        {"kunena", R"(<body class="site com_kunena view-category layout-default"><div id="kunena"><ol class="breadcrumb"><li><a
            href="/forum">Forum</a></li></ol><span id="kcatcount">3 Topics</span><form action="/forum/topics" name="ktopicsform"
            id="ktopicsform"><span class="kcat-replies-number">8</span></form>)", ForumPage, "/forum", 1},
        {"proboards", R"(<script src="https://images.proboards.com/v5/x.js"></script><div id="nav-tree"><a
            href="https://h.proboards.com/">Home</a><a href="/board/1">General</a></div><div class="container posts">)",
         TopicPage, "https://h.proboards.com/", 0},
        {"forumotion", R"(<script>var _userdata = {};</script><a class="nav" href="/forum">Index</a> <a class="nav"
            href="/f1-general">General</a><a href="/post?t=9&amp;mode=reply"><img alt="Reply to topic" /></a>)", TopicPage, "/forum", 0},
        {"forumotion", R"(<script src="https://illiweb.com/rs3/x.js"></script><a href="/" class="nav">Board</a><a
            href="/post?f=1&amp;mode=newtopic">New</a><table><tr><td class="row1"><a href="/f7-sub" class="forumlink">Sub</a></td><td
            class="row3">4</td><td class="row3">9</td></tr></table><table><tr><td class="row1"><a href="/t9-topic"
            class="topictitle">Topic</a></td><td class="row3">8</td><td class="row3">300</td></tr></table>)", ForumPage, "/", 2},
        // Its phpBB2-like layout writes row2 cells, which the classic rule reads; the record tells the kind.
        {"forumotion", R"(<script src="https://illiweb.com/rs3/x.js"></script><a href="/forum" class="nav">Index</a><a
            href="/post?f=1&amp;mode=newtopic">New</a>
            <tr><td class="row1"><a href="/t9-topic" class="topictitle">Topic</a></td>
            <td class="row2" align="center"><span class="postdetails">8</span></td>
            <td class="row2" align="center"><span class="postdetails">300</span></td></tr>)", ForumPage, "/forum", 0},
        {"flarum", R"(<a href="https://h.example" id="home-link">Board</a><script id="flarum-json-payload" type="application/json">{
            "resources":[],"apiDocument":{"data":{"type":"discussions","id":"9","attributes":{"commentCount":12}},"included":[{
            "type":"tags","id":"1","attributes":{"discussionCount":12,"position":0,"isChild":false}}]}}</script>)",
         TopicPage, "https://h.example", 0},
        // The tags page, before 2.0 handed to the scripts as the argument of app.load.
        {"flarum", R"(<a href="https://h.example" id="home-link">Board</a><script>flarum.core.app.load({"resources":[],"apiDocument":{
            "data":[{"type":"tags","id":"1","attributes":{"discussionCount":12,"position":0,"isChild":false}},{"type":"tags","id":"2",
            "attributes":{"discussionCount":7,"position":1,"isChild":false}}]}});</script>)", BoardIndex, "https://h.example", 2},
    };
    std::set<std::string_view> read;
    for (const KindReading& r : readings) {
        SCOPED_TRACE(r.page);
        const ForumFigures figures = read_forum_page(PageLines(r.page), true);
        EXPECT_EQ(figures.engine_id, r.engine_id);
        EXPECT_EQ(figures.page_kind, r.kind);
        EXPECT_EQ(figures.board_index_link, r.link);
        EXPECT_EQ(figures.numbers, r.numbers);
        read.insert(r.engine_id);
    }
    for (const ForumEngine* engine : forum_engines()) EXPECT_TRUE(read.contains(engine->id)) << engine->id << " untested";
}

// The real board indexes stay board indexes (or pages whose kind their markup does not tell).
TEST(EngineRecords, RealBoardIndexesAreNoTopicOrForumPages) {
    if (!real_pages_present()) GTEST_SKIP() << "real pages not present at " << RAVELMOOT_REAL_FIXTURES;
    const std::pair<const char*, PageKind> pages[] = {
        {"phpbb3-prosilver-fightbb-2018.html", PageKind::BoardIndex},
        {"phpbb3-subsilver2-warmacher.html", PageKind::Other},
        {"xenforo2-talkstats-2018.excerpt.html", PageKind::BoardIndex},
        {"xenforo1-f95zone.html", PageKind::BoardIndex},
        {"vbulletin3-vozforums.html", PageKind::BoardIndex},
        {"vbulletin4-thexuniverse-2018.excerpt.html", PageKind::BoardIndex},
        {"smf20-chemicalforums.html", PageKind::Other},
        {"smf11-gwtwforum.excerpt.html", PageKind::Other},
        {"mybb-modderbase.html", PageKind::BoardIndex},
        {"ipb3-customsforge.excerpt.html", PageKind::BoardIndex},
        {"discuzx-openedv-zh.excerpt.html", PageKind::BoardIndex},
    };
    for (const auto& [file, kind] : pages) EXPECT_EQ(read_forum_page(PageLines(read_real_page(file)), true).page_kind, kind) << file;
}

TEST(EngineRecords, BoardIndexUrlStaysOnThePagesHostAndLeavesThePage) {
    const std::string page = "https://h.example/forum/viewtopic.php?t=5#p9";
    const std::pair<const char*, const char*> links[] = {
        {"./index.php", "https://h.example/forum/index.php"},
        {"/forums/#top", "https://h.example/forums/"},
        {"//h.example/", "https://h.example/"},
        {"http://h.example/board/", "http://h.example/board/"},
        {"https://other.example/forum/", ""},
        {"viewtopic.php?t=5", ""},
        {"#p9", ""},
        {"?t=5#p1", ""},
        {"?f=2", "https://h.example/forum/viewtopic.php?f=2"},
        {"javascript:void(0)", ""},
        {"ftp://h.example/", ""},
        {"https://user@h.example/", ""},
        {"", ""},
    };
    for (const auto& [link, url] : links) EXPECT_EQ(board_index_url(page, link), url) << link;
}

}  // namespace
