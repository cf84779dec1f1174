// The analyses over pages that real forums and search services produced (read at test time
// from the shared fixture folder, never copied here). The expected figures were worked out
// apart from this code: a Python script split each file with bytes.splitlines() (CR LF, LF,
// lone CR), cut lines to 4096 bytes and, for "row2" lines, took the first regex match of
// <td.*?</td> (or the line), removed leading <[^>]*> tags and kept the [^<]* text when it was
// all digits; for links it took the first <a href="(.*?)</a>, the href up to the first double
// quote, the text after the last ">" once <b> and </b> were gone, the "http"/"google"/11-byte
// filter, the viewtopic rewrite and the three-way duplicate test. The post figures were
// checked again with awk (split at "<td", strip tags, keep digit strings) and agree.

#include "analysis/forum_figures.h"
#include "analysis/page_text.h"
#include "analysis/search_answer.h"
#include "tests/support/real_pages.h"

#include <gtest/gtest.h>

namespace {

std::vector<FoundLink> links_of(const std::string& page) {
    std::vector<FoundLink> links;
    collect_new_links(links, read_google_result_page(PageLines(page)));
    return links;
}

class RealPages : public ::testing::Test {
protected:
    void SetUp() override {
        if (!real_pages_present())
            GTEST_SKIP() << "real pages not present at " << RAVELMOOT_REAL_FIXTURES;
    }

    // Fails the test (rather than reading an empty page) when one file is missing.
    std::string page(const std::string& name) {
        auto bytes = read_real_page(name);
        EXPECT_FALSE(bytes.empty()) << name;
        return bytes;
    }
};

struct Posts {
    const char* file;
    std::int64_t count;
    const char* average;
    const char* max;
};

TEST_F(RealPages, PostFiguresOfEachForumEngine) {
    const Posts expected[] = {
        {"phpbb2-alliance-index.html", 30, "79", "577"},
        {"phpbb2-flamekeepers-index.html", 30, "198", "2480"},
        {"phpbb3-subsilver2-warmacher.html", 154, "2624", "79568"},
        // MyBB's "trow2" cells: only four first cells hold a bare number (7, 24, 3, 14).
        {"mybb-modderbase.html", 4, "12", "24"},
        {"vbulletin3-vozforums.html", 0, "", ""},
        {"google-2014-basic.html", 0, "", ""},
        {"bing-2015.html", 0, "", ""},
        // The template holds "row2" cells whose text is a placeholder, not a number.
        {"phpbb2-subsilver-index_body.tpl", 0, "", ""},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.file);
        const auto figures = read_row2_counts(PageLines(page(e.file)));
        EXPECT_EQ(figures.numbers, e.count);
        EXPECT_EQ(average_text(figures), e.average);
        EXPECT_EQ(max_text(figures), e.max);
        EXPECT_EQ(figures.engine, "");
    }
}

TEST_F(RealPages, PageLinesMatchTheFilesLineBreaks) {
    // Lines as counted by the script: LF count, plus one when the file lacks a final break.
    EXPECT_EQ(split_page_lines(page("phpbb2-alliance-index.html")).size(), 487u);
    EXPECT_EQ(split_page_lines(page("mybb-modderbase.html")).size(), 1402u);
    EXPECT_EQ(split_page_lines(page("vbulletin3-vozforums.html")).size(), 3219u);
    EXPECT_EQ(split_page_lines(page("bing-2015.html")).size(), 31u);
}

TEST_F(RealPages, SearchPageLinks) {
    // Old Google basic layout: 49 anchor lines, 47 links after the filter, every one a relative
    // "/url?q=http://..." redirect (it holds "http" and no "google").
    auto links = links_of(page("google-2014-basic.html"));
    ASSERT_EQ(links.size(), 47u);
    EXPECT_EQ(links.front().url,
              "/url?q=http://www.hotel.de/de/deutschland/country-deu/&amp;sa=U&amp;ei=aqkLU-egENHe7AbfxICYAw&amp;"
              "ved=0CEIQ0gIoADAA&amp;usg=AFQjCNGp5JehTYEQvEJ-GJuYdZmF72TSXg");
    EXPECT_EQ(links.front().description, "Hotel Deutschland");
    EXPECT_EQ(links[3].description, "trivago.de - Hotelpreisvergleich | G\xC3\xBCnstige Hotels finden | Hotelsuche");
    EXPECT_EQ(links.back().description,
              "Superior 4-Sterne-Hotel D\xC3\xBCsseldorf | hotel nikko D\xC3\xBCsseldorf, Altstadt");

    // DuckDuckGo's HTML page: 11 anchor lines, 8 links; the image-only ones have no description.
    links = links_of(page("ddg-2015.html"));
    ASSERT_EQ(links.size(), 8u);
    EXPECT_EQ(links[0].url, "https://duckduckgo.com/spread.html");
    EXPECT_EQ(links[0].description, "Spread DDG!");
    EXPECT_EQ(links[1].url, "http://www.bing.com/images/search?q=what%20happened&go=&form=QBIL&qs=n&sk=&sc=8-3");
    EXPECT_EQ(links[1].description, "");
    EXPECT_EQ(links[7].url, "https://duckduckgo.com/goodies.html");

    // The script-driven layouts hold no result anchor that passes.
    EXPECT_TRUE(links_of(page("google-2014-js.html")).empty());
    EXPECT_TRUE(links_of(page("bing-2015.html")).empty());
}

TEST_F(RealPages, ForumPageLinks) {
    // Forum pages link mostly relatively; what passes is the absolute links, de-duplicated.
    auto links = links_of(page("phpbb2-alliance-index.html"));
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].url, "http://www.phpbb.com/");
    EXPECT_EQ(links[0].description, "phpBB");

    links = links_of(page("mybb-modderbase.html"));
    ASSERT_EQ(links.size(), 33u);
    EXPECT_EQ(links[0].url, "http://modderbase.com/portal.php");
    EXPECT_EQ(links[0].description, " Home");
    // The footer's "&uid=51" is no duplicate of the earlier "&amp;uid=51": the test is byte for byte.
    EXPECT_EQ(links[29].url, "http://modderbase.com/member.php?action=profile&uid=51");
    EXPECT_EQ(links[29].description, "Theme by Sensaiga 2017");
    EXPECT_EQ(links[32].url, "http://modderbase.com/contact.php");

    links = links_of(page("phpbb3-subsilver2-warmacher.html"));
    ASSERT_EQ(links.size(), 4u);
    EXPECT_EQ(links[0].url, "http://www.warmacher.com/memberlist.php?mode=group&amp;g=3");
    EXPECT_EQ(links[0].description, "");
    EXPECT_EQ(links[3].url, "http://www.lionweb.sk");

    links = links_of(page("vbulletin3-vozforums.html"));
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].url, "http://voz.vn");
    EXPECT_EQ(links[0].description, "Tin C\xC3\xB4ng Ngh\xE1\xBB\x87");
    EXPECT_EQ(links[1].url, "http://vozforums.com/forumdisplay.php?f=84");
}

}  // namespace
