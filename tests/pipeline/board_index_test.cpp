// Topic pages of a recognised engine, served on loopback, lead the forum stage to their board
// index: queued once, then rated, the topic page's row ended with its reason.

#include "tests/support/form_fixture.h"
#include "tests/support/http_fixture_server.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string topic_page(const std::string& index_link) {
    return R"(<html id="XF" data-template="thread_view"><body><a href=")" + index_link +
           R"(" class="p-navEl-link" data-nav-id="forums">Forums</a><article class="message">Hello</article></body></html>)";
}

constexpr const char* kIndexPage = R"(<html id="XF" data-template="forum_list"><body><div class="node-stats"><dl><dt>Threads
    </dt><dd>5</dd></dl><dl><dt>Messages</dt><dd>9</dd></dl></div></body></html>)";

class BoardIndex : public ::testing::Test {
protected:
    void SetUp() override {
        form().allow_attemps_ui.set_value(1);
        form().allowed_threads.set_value(2);
        form().timeout_normal.set_value(2000);
        form().time_out_advanced.set_value(2000);
        server.route("/forums/", HttpResponse::html(kIndexPage));
    }
    TForm1& form() { return *f.form; }

    std::string topic(const std::string& path, const std::string& index_link = "/forums/") {
        server.route(path, HttpResponse::html(topic_page(index_link)));
        f.add_queue_row(server.url(path), "0", "Download", "Home brewing");
        return server.url(path);
    }

    void run_forum_stage() {
        form().check_page_for_popular.click();
        ASSERT_TRUE(f.wait_for_research_over(30000));
        EXPECT_TRUE(f.errors.empty()) << f.errors.front();
    }

    std::vector<std::string> captions() const {
        std::vector<std::string> rows;
        for (const auto& item : f.form->google_list.items()) rows.push_back(item.caption);
        return rows;
    }

    const ListItem& result(const std::string& url) { return form().result_list.item(form().result_list.find_caption(url)); }

    bool logged(const std::string& line) {
        const auto& log = form().memo1.lines();
        return std::find(log.begin(), log.end(), line) != log.end();
    }

    HttpFixtureServer server;
    FormFixture f{/*real_component=*/true, /*timer_interval_ms=*/50};
};

TEST_F(BoardIndex, TopicPagesLeadToOneRatedBoardIndexRow) {
    const std::string first = topic("/forums/threads/first.1/");
    const std::string second = topic("/forums/threads/second.2/");
    run_forum_stage();

    const std::string index = server.url("/forums/");
    EXPECT_EQ(captions(), (std::vector<std::string>{first, second, index}));
    EXPECT_EQ(form().google_list.sub_item(2, queue_column::Description), "Home brewing");
    EXPECT_EQ(result(index).sub_items, (std::vector<std::string>{"Home brewing", "Good", "7", "9", ""}));
    // Each topic page is downloaded once and ends at once; the second finds the index listed.
    const std::string added = "topic page; its board index was added";
    const std::string listed = "topic page; its board index was already listed";
    const std::string first_reason = result(first).facts.reason_text();
    EXPECT_TRUE((first_reason == added && result(second).facts.reason_text() == listed) ||
                (first_reason == listed && result(second).facts.reason_text() == added));
    for (const std::string& url : {first, second}) {
        EXPECT_EQ(result(url).sub_items.at(result_column::Verdict), verdict::Fatal);
        EXPECT_EQ(form().google_list.sub_item(form().google_list.find_caption(url), queue_column::Result), row_state::Finished);
    }
    EXPECT_TRUE(logged("Topic page of XenForo 2; its board index " + index + " was added"));
    EXPECT_TRUE(logged("Topic page of XenForo 2; its board index " + index + " was already listed"));
    const auto requests = server.requests();
    EXPECT_EQ(std::count_if(requests.begin(), requests.end(), [](const HttpRequest& r) { return r.target == "/forums/"; }), 1);
}

TEST_F(BoardIndex, NothingIsAddedForAnotherHostOrWithTheOptionOff) {
    struct Case {
        const char* name;
        bool rate_board_index;
        bool read_current_engines;
        bool other_host;
    };
    const Case cases[] = {
        {"other host", true, true, true},
        {"option off", false, true, false},
        {"classic count", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form().google_list.clear_items();
        form().rate_board_index.set_checked(c.rate_board_index);
        form().read_current_engines.set_checked(c.read_current_engines);
        const std::string page = topic("/forums/threads/t.1/", c.other_host ? "http://127.0.0.2:9/forums/" : "/forums/");
        run_forum_stage();
        EXPECT_EQ(captions(), (std::vector<std::string>{page}));
        EXPECT_EQ(result(page).sub_items.at(result_column::Verdict), verdict::Fatal);
        EXPECT_EQ(result(page).facts.reason, no_figures_reason(ReasonKind::NoCounts));
    }
}

// A vBulletin 4 topic page with search-engine friendly addresses, as the engine writes it: the
// head's <base href> names the forum's folder, and the breadcrumb's home link is relative to it.
std::string vbulletin4_topic_page(const std::string& base) {
    return R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd">
<html xmlns="http://www.w3.org/1999/xhtml" dir="ltr" lang="en" id="vbulletin_html">
<head>
	<base href=")" + base + R"(" /><!--[if IE]></base><![endif]-->
	<meta name="generator" content="vBulletin 4.2.2" />
	<title> Brewing in winter</title>
</head>
<body>
<div id="breadcrumb" class="breadcrumb">
	<ul class="floatcontainer">
		<li class="navbithome"><a href="index.php?s=" accesskey="1"><img src="images/misc/navbit-home.png" alt="Home" /></a></li>
		<li class="navbit"><a href="forumdisplay.php/12-General">General</a></li>
		<li class="navbit lastnavbit"><span> Brewing in winter</span></li>
	</ul>
</div>
<div id="postlist" class="postlist restrain">
	<ol id="posts" class="posts" start="1">
		<li class="postbitlegacy postbitim postcontainer old" id="post_9687"><div class="postbody">Hello</div></li>
	</ol>
</div>
</body>
</html>
)";
}

TEST_F(BoardIndex, TheIndexLinkIsReadAgainstTheAddressThatServedThePageAndItsBase) {
    // Moved to another host: the link is the new host's, not the old name's.
    HttpFixtureServer old_name(HttpFixtureServer::Threading::CallerThread, "127.0.0.2");
    server.route("/forums/threads/moved.1/", HttpResponse::html(topic_page("../../")));
    old_name.route("/t/1", HttpResponse::redirect(server.url("/forums/threads/moved.1/")));
    f.add_queue_row(old_name.url("/t/1"), "0", "Download", "Moved");
    // Friendly addresses: the link is relative to the <base href>, not to the topic's address.
    server.route("/forums/showthread.php/9687-Brewing-in-winter", HttpResponse::html(vbulletin4_topic_page(server.url("/forums/"))));
    server.route("/forums/index.php", HttpResponse::html(kIndexPage));
    f.add_queue_row(server.url("/forums/showthread.php/9687-Brewing-in-winter"), "0", "Download", "Friendly");
    run_forum_stage();

    for (const std::string& index : {server.url("/forums/"), server.url("/forums/index.php?s=")}) {
        SCOPED_TRACE(index);
        ASSERT_GE(form().result_list.find_caption(index), 0);
        EXPECT_EQ(result(index).sub_items.at(result_column::Verdict), verdict::Good);
    }
    EXPECT_EQ(form().google_list.item_count(), 4);
    EXPECT_EQ(old_name.request_count(), 1u);
}

TEST_F(BoardIndex, ABoardIndexThatIsATopicPageEndsWithoutAddingItsOwn) {
    const std::string first = topic("/forums/threads/first.1/", "/hop/threads/second.2/");
    server.route("/hop/threads/second.2/", HttpResponse::html(topic_page("/third/")));
    run_forum_stage();

    const std::string second = server.url("/hop/threads/second.2/");
    EXPECT_EQ(captions(), (std::vector<std::string>{first, second}));
    EXPECT_EQ(result(second).sub_items.at(result_column::Verdict), verdict::Fatal);
    EXPECT_EQ(result(second).facts.reason->kind, ReasonKind::TopicPage);
    EXPECT_EQ(form().google_list.item(1).facts.queue.state, RowState::Finished);
    EXPECT_EQ(form().google_list.item(1).facts.queue.depth, 1);
    EXPECT_EQ(server.request_count(), 2u);
}

}  // namespace
