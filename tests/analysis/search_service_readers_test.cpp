#include "analysis/search_readers.h"
#include "tests/support/real_pages.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> urls_of(const SearchAnswer& answer) {
    std::vector<std::string> urls;
    for (const auto& link : answer.links) urls.push_back(link.url);
    return urls;
}

// Listed by a short Python script (json.load of the searx answer, html.parser over the DuckDuckGo
// page picking anchors whose class holds result__a), not by the code under test. searx read that
// same DuckDuckGo page, so both answers hold the same ten results.
const std::vector<std::string> kEinoResults = {
    "https://github.com/cloudwego/eino",
    "https://www.cloudwego.io/zh/docs/eino/overview/",
    "https://ai-bot.cn/eino/",
    "https://cloudwego.cn/docs/eino/overview/eino_open_source/",
    "https://stable-learn.com/en/eino-open-source-announcement/",
    "https://juejin.cn/post/7460126710085091367",
    "https://www.cloudwego.io/docs/eino/",
    "https://pkg.go.dev/github.com/cloudwego/eino",
    "https://github.com/cloudwego/eino-ext",
    "https://en.wikipedia.org/wiki/Eino",
};

TEST(SearchReaders, RealAnswers) {
    if (!real_pages_present()) GTEST_SKIP() << "real pages not present at " << RAVELMOOT_REAL_FIXTURES;
    const struct {
        const char* file;
        SearchAnswerReader reader;
        std::vector<std::string> urls;
        bool note;  // whether the log gets a line about what came back
    } cases[] = {
        {"searx-1.1.0-debian12-json-page1.json", read_searx_json, kEinoResults, false},
        {"ddg-html-2025-eino.html", read_duckduckgo_html, kEinoResults, false},
        // Its only result anchor leads to google and is filtered like any other link.
        {"ddg-html-2025-eino-noresults.html", read_duckduckgo_html, {}, false},
        // HTML where JSON was asked for.
        {"searx-1.1.0-debian12-html-page1.html", read_searx_json, {}, true},
        {"ddg-html-2025-eino.html", read_brave_json, {}, true},
    };
    for (const auto& c : cases) {
        const std::string page = read_real_page(c.file);
        ASSERT_FALSE(page.empty()) << c.file;
        const SearchAnswer answer = c.reader(PageLines(page));
        EXPECT_EQ(urls_of(answer), c.urls) << c.file;
        EXPECT_EQ(!answer.note.empty(), c.note) << c.file << ": " << answer.note;
    }
    const auto searx = read_searx_json(PageLines(read_real_page("searx-1.1.0-debian12-json-page1.json")));
    const auto ddg = read_duckduckgo_html(PageLines(read_real_page("ddg-html-2025-eino.html")));
    ASSERT_EQ(searx.links.size(), 10u);
    ASSERT_EQ(ddg.links.size(), 10u);
    for (const auto* answer : {&searx, &ddg}) {
        EXPECT_EQ(answer->links[1].description, "Eino: 概述 | CloudWeGo");
        EXPECT_EQ(answer->links[9].description, "Eino - Wikipedia");
    }
    EXPECT_NE(read_searx_json(PageLines(read_real_page("searx-1.1.0-debian12-html-page1.html"))).note.find("HTML page"),
              std::string::npos);
}

// Answers built from the services' documented field names, each result through the same filter
// and topic rewrite as a link on a Google page; titles keep no TAB or line break (list files).
TEST(SearchReaders, DocumentedJsonAnswers) {
    const struct {
        SearchAnswerReader reader;
        const char* answer;
        std::vector<FoundLink> links;
    } cases[] = {
        {read_brave_json,
         R"({"type":"search","query":{"original":"x"},"web":{"type":"search","results":[
             {"title":"Alpha forum","url":"https://alpha.example/forum/viewtopic.php?t=1","description":"d"},
             {"title":"More","url":"https://www.google.com/x"},
             {"title":"Beta\tboard\nindex","url":"https://beta.example/board/"}]}})",
         {{"https://alpha.example/forum/index.php", "Alpha forum"}, {"https://beta.example/board/", "Beta board index"}}},
        {read_marginalia_json,
         R"({"license":"CC-BY-NC-SA 4.0","query":"x","results":[
             {"url":"https://m.example/f/","title":"M forum","description":"d","quality":-1.5},
             {"url":"ftp://files.example/pub/x","title":"no web link"},
             {"url":"https://gap.example/a b/","title":"a blank in the address"},
             {"url":"https://t.example/x/","title":7}]})",
         {{"https://m.example/f/", "M forum"}, {"https://t.example/x/", ""}}},
        {read_searx_json, R"({"query":"x","results":[{"url":"http://s.example/phpBB2/","title":"S"}]})",
         {{"http://s.example/phpBB2/", "S"}}},
    };
    for (const auto& c : cases) {
        const SearchAnswer answer = c.reader(PageLines(c.answer));
        EXPECT_TRUE(answer.note.empty()) << answer.note;
        ASSERT_EQ(answer.links.size(), c.links.size()) << c.answer;
        for (std::size_t i = 0; i < c.links.size(); ++i) {
            EXPECT_EQ(answer.links[i].url, c.links[i].url);
            EXPECT_EQ(answer.links[i].description, c.links[i].description);
        }
    }
}

TEST(SearchReaders, AnswersThatAreNotWhatTheServiceSendsGiveNoLinksAndANote) {
    const struct {
        SearchAnswerReader reader;
        std::string answer;
        bool note;
    } cases[] = {
        {read_searx_json, R"({"results": [{"url": "http://a.example/x/")", true},  // cut short
        {read_searx_json, "", true},
        {read_searx_json, "Too many requests", true},
        {read_searx_json, R"({"results": 5})", true},
        {read_searx_json, R"([{"url": "http://a.example/x/"}])", true},
        {read_brave_json, R"({"results": [{"url": "http://a.example/x/"}]})", true},  // no "web"
        {read_marginalia_json, std::string("{\"results\": [\"\xff\xfe\"]}"), true},  // not UTF-8
        // Engines that did not answer searx: the empty page says why.
        {read_searx_json, R"({"results": [], "unresponsive_engines": [["google", "HTTP error"]]})", true},
        {read_searx_json, R"({"results": [], "unresponsive_engines": []})", false},
        // Well-formed but odd elements are passed over without a note.
        {read_marginalia_json, R"({"results": [5, "x", {"url": 5}, {"title": "t"}, null]})", false},
    };
    for (const auto& c : cases) {
        const SearchAnswer answer = c.reader(PageLines(c.answer));
        EXPECT_TRUE(answer.links.empty()) << c.answer;
        EXPECT_EQ(!answer.note.empty(), c.note) << c.answer << " -> " << answer.note;
    }
}

TEST(SearchReaders, DuckDuckGoAnchors) {
    const std::string page =
        "<div><a class=\"result__a\" rel=\"nofollow\" "
        "href=\"//duckduckgo.com/l/?uddg=https%3A%2F%2Fforum.example%2Fboard%2Fviewtopic.php%3Ft%3D5&amp;rut=abc\">"
        "<b>Forum</b> &amp; more</a>"
        "<a class=\"result__a\" href=\"https://duckduckgo.com/y.js?ad_domain=ads.example&amp;u3=x\">Ad</a>"
        "<a class=\"result__snippet\" href=\"https://snippet.example/s/\">snippet</a>"
        "<a href='https://plain.example/p/' class='links result__a'>Plain\n  link</a></div>";
    const SearchAnswer answer = read_duckduckgo_html(PageLines(page));
    ASSERT_EQ(answer.links.size(), 2u);
    EXPECT_EQ(answer.links[0].url, "https://forum.example/board/index.php");
    EXPECT_EQ(answer.links[0].description, "Forum & more");
    EXPECT_EQ(answer.links[1].url, "https://plain.example/p/");
    EXPECT_EQ(answer.links[1].description, "Plain link");

    for (const char* check : {"<div class=\"anomaly-modal__title\">", "<form id=\"challenge-form\" action=\"/\">"}) {
        const SearchAnswer bot = read_duckduckgo_html(PageLines(std::string(check) + page));
        EXPECT_TRUE(bot.links.empty());
        EXPECT_TRUE(bot.bot_check);
    }
}

}  // namespace
