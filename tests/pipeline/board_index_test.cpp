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

}  // namespace
