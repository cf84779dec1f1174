#include "analysis/link_extraction.h"
#include "analysis/search_answer.h"

#include "analysis/text_scan.h"

#include <gtest/gtest.h>

#include <random>

namespace {

void collect_links(std::string_view page, std::vector<FoundLink>& links) {
    collect_new_links(links, read_google_result_page(PageLines(std::string(page))));
}

std::vector<FoundLink> collect_links(std::string_view page) {
    std::vector<FoundLink> links;
    collect_links(page, links);
    return links;
}

std::string url_of(std::string_view line) {
    const auto link = extract_link(line);
    return link ? link->url : "<none>";
}

std::string description_of(std::string_view line) {
    const auto link = extract_link(line);
    return link ? link->description : "<none>";
}

TEST(LinkExtraction, AnchorHrefAndDescription) {
    EXPECT_EQ(url_of(R"(<p class=g><a href="http://forum.example.org/index.php" class=l>Example forum</a> - x)"),
              "http://forum.example.org/index.php");
    EXPECT_EQ(description_of(R"(<a href="http://a.example.org/">Best <b>forum index</b> list</a>)"),
              "Best forum index list");
    // The text behind the anchor's last inner tag.
    EXPECT_EQ(description_of(R"(<a href="http://a.example.org/"><font size=-1>Cached</font> page</a>)"), " page");
    EXPECT_EQ(description_of(R"(<a href="http://a.example.org/"><img src="f.gif" alt="x"></a>)"), "");
    EXPECT_EQ(description_of(R"(<a href="http://a.example.org/"></a>)"), "");
    // Only the first anchor of a line counts.
    const std::string two = R"(<a href="http://one.example.org/">One</a> <a href="http://two.example.org/">Two</a>)";
    EXPECT_EQ(url_of(two), "http://one.example.org/");
    EXPECT_EQ(description_of(two), "One");
}

TEST(LinkExtraction, MalformedAnchorsYieldNothing) {
    EXPECT_FALSE(extract_link(""));
    EXPECT_FALSE(extract_link("no anchor here"));
    // Anchor cut by a line break, single quotes, no closing quote inside the anchor.
    EXPECT_FALSE(extract_link(R"(<a href="http://forum.example.org/index.php">Example)"));
    EXPECT_FALSE(extract_link(R"(<a href='http://forum.example.org/index.php'>Example</a>)"));
    EXPECT_FALSE(extract_link(R"(<a href="http://forum.example.org/index.php>Example</a>" x)"));
    EXPECT_FALSE(extract_link(R"(<A HREF="http://forum.example.org/index.php">Example</A>)"));
    // A "</a>" before the anchor does not close it.
    EXPECT_FALSE(extract_link(R"(x</a> <a href="http://forum.example.org/index.php">Example)"));
}

TEST(LinkExtraction, FilterRunsBeforeTheTopicRewrite) {
    EXPECT_FALSE(extract_link(R"(<a href="http://www.google.com/search?q=x">More</a>)"));
    EXPECT_FALSE(extract_link(R"(<a href="http://x.y">Short</a>)"));  // 10 characters
    EXPECT_FALSE(extract_link(R"(<a href="/search?q=forum&start=10">Next</a>)"));
    EXPECT_EQ(url_of(R"(<a href="http://xy.z">Long enough</a>)"), "http://xy.z");
    EXPECT_EQ(url_of(R"(<a href="http://Google.example.org/">Capital G</a>)"), "http://Google.example.org/");
    EXPECT_EQ(url_of(R"(<a href="https://forum.example.org/f/viewtopic.php?t=12">Topic</a>)"),
              "https://forum.example.org/f/index.php");
    EXPECT_EQ(url_of(R"(<a href="/f/viewtopic.php?from=http://x">Rel</a>)"), "/f/index.php");
    // The anchor text plays no part in the filter.
    EXPECT_EQ(url_of(R"(<a href="http://forum.example.org/">google fans</a>)"), "http://forum.example.org/");
}

TEST(LinkExtraction, DuplicatesInAllThreeDirections) {
    const std::string stored = "http://a/b/index.php";
    EXPECT_TRUE(is_duplicate_link("http://a/b/index.php", stored));
    EXPECT_TRUE(is_duplicate_link("http://a/b/index.php?c=3", stored));
    EXPECT_TRUE(is_duplicate_link("http://a/b/", stored));
    EXPECT_FALSE(is_duplicate_link("http://a/c/index.php", stored));
    EXPECT_FALSE(is_duplicate_link("HTTP://A/B/INDEX.PHP", stored));
    // An empty text is found nowhere, so it only equals another empty one.
    EXPECT_FALSE(is_duplicate_link("http://a/b/", ""));
    EXPECT_FALSE(is_duplicate_link("", stored));
    EXPECT_TRUE(is_duplicate_link("", ""));
}

// The kept URLs as the rule reads: each is tested against every one kept before it.
std::vector<std::string> kept_by_plain_walk(const std::vector<std::string>& urls) {
    std::vector<std::string> kept;
    for (const auto& url : urls) {
        bool duplicate = false;
        for (const auto& stored : kept) duplicate = duplicate || is_duplicate_link(url, stored);
        if (!duplicate) kept.push_back(url);
    }
    return kept;
}

TEST(LinkExtraction, IndexedDuplicateTestKeepsWhatThePlainWalkKeeps) {
    std::mt19937 random(21);
    // A small alphabet makes pieces repeat, so links hold one another in every way.
    const auto random_text = [&](std::size_t length) {
        std::string text;
        while (text.size() < length) text += "ab/h:tp"[random() % 7];
        return text;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> urls;
        for (int i = 0; i < 60; ++i) {
            const std::string earlier = urls.empty() ? random_text(12) : urls[random() % urls.size()];
            const auto cut = random() % (earlier.size() + 1);
            switch (random() % 6) {
            case 0: urls.push_back(random_text(random() % 24)); break;                       // new, short or long
            case 1: urls.push_back(earlier); break;                                           // the same URL
            case 2: urls.push_back(earlier.substr(cut, random() % 20)); break;               // found inside one
            case 3: urls.push_back(random_text(random() % 4) + earlier + random_text(random() % 4)); break;  // holds one
            case 4: urls.push_back(forum_index_url(earlier.substr(0, cut) + "viewtopic.php?t=" + random_text(2))); break;
            default: urls.push_back(earlier.substr(0, cut) + random_text(random() % 10)); break;  // shares a head
            }
        }
        std::vector<FoundLink> collected;
        std::vector<FoundLink> found;
        for (const auto& url : urls) found.push_back(FoundLink{url, "d" + url});
        // Collected over two pages, as the stage does.
        collect_new_links(collected, SearchAnswer{{found.begin(), found.begin() + 30}, {}, ""});
        collect_new_links(collected, SearchAnswer{{found.begin() + 30, found.end()}, {}, ""});
        const auto expected = kept_by_plain_walk(urls);
        ASSERT_EQ(collected.size(), expected.size()) << round;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(collected[i].url, expected[i]) << round;
            ASSERT_EQ(collected[i].description, "d" + expected[i]) << round;
        }
    }
}

// A result page in the old table layout: one result anchor per line, bold query words,
// cache links, image anchors and the service's own navigation.
constexpr std::string_view kResultPage =
    "<html><head><title>\"forum index\" software marketing - Search</title></head><body>\r\n"
    "<a href=\"http://www.google.com/\"><img src=\"/logo.gif\" alt=\"Search\"></a>\r\n"
    "<div><a href=\"http://images.google.com/images?q=x\">Images</a> <a href=\"/groups\">Groups</a></div>\r\n"
    "<p class=g><a href=\"http://www.marketing-forum.example.com/index.php\">Marketing <b>Forum Index</b></a>\r\n"
    "<br><font size=-1>The <b>forum index</b> of marketers ...</font>\r\n"
    "<p class=g><a href=\"http://talk.example.net/forum/viewtopic.php?t=4711\">Pricing shareware - <b>Forum "
    "Index</b></a><font size=-1> - <a href=\"http://talk.example.net/forum/viewforum.php?f=2\">More</a></font>\r\n"
    "<p class=g><a href=\"http://talk.example.net/forum/index.php\">Talk forums</a>\r\n"
    "<p class=g><a href=\"http://www.marketing-forum.example.com/index.php?sid=77\">Marketing again</a>\r\n"
    "<p class=g><a href=\"http://shop.example.org/\"><img src=\"http://shop.example.org/b.png\"></a>\r\n"
    "<p class=g><a href=\"http://shop.example.org/boards/index.php\">Shop boards</a>\r\n"
    "<p class=g><a href=\"http://webcache.googleusercontent.com/search?q=cache:x\">Cached</a>\r\n"
    "<p class=g><a href=\"http://devs.example.org/phpBB2/viewtopic.php?p=9#9\">Developers</a>\r\n"
    "<p class=g><a href=\"http://lost.example.org/forum/index.php\n"
    "\">Broken across lines</a>\r\n"
    "<div id=nav><a href=\"/search?q=x&start=100&sa=N\"><b>Next</b></a></div>\r\n"
    "</body></html>";

TEST(LinkExtraction, ResultPageAsTheCallerCollectsIt) {
    const auto links = collect_links(kResultPage);
    ASSERT_EQ(links.size(), 4u);
    EXPECT_EQ(links[0].url, "http://www.marketing-forum.example.com/index.php");
    EXPECT_EQ(links[0].description, "Marketing Forum Index");
    // Topic link rewritten; the later index link of the same forum and the index.php?sid link
    // (which holds the stored one) are duplicates.
    EXPECT_EQ(links[1].url, "http://talk.example.net/forum/index.php");
    EXPECT_EQ(links[1].description, "Pricing shareware - Forum Index");
    // "http://shop.example.org/" is taken first (empty description), so the boards link, which
    // holds it, is a duplicate.
    EXPECT_EQ(links[2].url, "http://shop.example.org/");
    EXPECT_EQ(links[2].description, "");
    EXPECT_EQ(links[3].url, "http://devs.example.org/phpBB2/index.php");
    EXPECT_EQ(links[3].description, "Developers");
}

TEST(LinkExtraction, LinksGatherAcrossPagesOfOneSearch) {
    std::vector<FoundLink> links;
    collect_links("<a href=\"http://b.example.org/forum/index.php\">B</a>\n", links);
    // A shorter link found inside a stored one is a duplicate in the other direction.
    collect_links(
        "<a href=\"http://b.example.org/forum/\">B root</a>\n<a href=\"http://c.example.org/x/\">C</a>\n", links);
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[1].url, "http://c.example.org/x/");
}

// The extraction step by step as written down, with the scanning functions and copies
// throughout; the real one works on views and copies only what it keeps.
std::optional<FoundLink> extract_link_step_by_step(std::string_view line) {
    int found = -1;
    std::string anchor;
    cut_span(line, "<a href=\"", "</a>", found, anchor);
    if (found == -1) return std::nullopt;
    std::string url;
    cut_between(anchor, "<a href=\"", "\"", found, url);
    if (found == -1) return std::nullopt;
    replace_all(anchor, "<b>", "");
    replace_all(anchor, "</b>", "");
    std::string d = anchor;
    std::string last;
    do {
        last = d;
        d = after_marker(last, ">");
    } while (!d.empty());
    const std::string description = before_marker(last, "</a>");
    if (!is_web_link(url)) return std::nullopt;
    if (holds_marker(url, "viewtopic")) url = before_marker(url, "viewtopic") + "index.php";
    return FoundLink{url, description};
}

TEST(LinkExtraction, AgreesWithTheStepByStepExtractionOnOddMarkup) {
    std::mt19937 random(3);
    const std::string_view pieces[] = {"<a href=\"", "\"", "<b>", "</b>", "<", ">", "b", "/", "</a>",
                                       "http://", "google", "viewtopic", "x", " ", "forum.example.org"};
    for (int round = 0; round < 30000; ++round) {
        std::string line;
        for (auto n = random() % 20; n > 0; --n) line += pieces[random() % std::size(pieces)];
        const auto expected = extract_link_step_by_step(line);
        const auto actual = extract_link(line);
        ASSERT_EQ(actual.has_value(), expected.has_value()) << line;
        if (!expected) continue;
        ASSERT_EQ(actual->url, expected->url) << line;
        ASSERT_EQ(actual->description, expected->description) << line;
    }
}

}  // namespace
