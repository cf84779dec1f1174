#include "analysis/text_scan.h"

#include <gtest/gtest.h>

#include <random>

namespace {

struct Cut {
    int found;
    std::string out;
};

// Runs cut_span or cut_between with a pre-loaded output so that "left unchanged" is visible.
template <typename F>
Cut cut(F f, std::string_view text, std::string_view start, std::string_view end) {
    Cut c{0, "untouched"};
    f(text, start, end, c.found, c.out);
    return c;
}

TEST(TextScan, BeforeAndAfterTakeTheFirstMarker) {
    EXPECT_EQ(before_marker("abc", "x"), "abc");
    EXPECT_EQ(after_marker("abc", "x"), "");
    EXPECT_EQ(before_marker("a>b>c", ">"), "a");
    EXPECT_EQ(after_marker("a>b>c", ">"), "b>c");
    EXPECT_EQ(before_marker(">ab", ">"), "");
    EXPECT_EQ(after_marker("ab>", ">"), "");
    EXPECT_EQ(after_marker("http://www.x.org/p", "http://"), "www.x.org/p");
    EXPECT_EQ(before_marker("A-VIEWTOPIC", "viewtopic"), "A-VIEWTOPIC");
}

TEST(TextScan, EmptyMarkerOrTextIsNeverFound) {
    EXPECT_EQ(before_marker("abc", ""), "abc");
    EXPECT_EQ(after_marker("abc", ""), "");
    EXPECT_EQ(before_marker("", "x"), "");
    EXPECT_EQ(after_marker("", ""), "");
    std::string s = "abc";
    replace_all(s, "", "+");
    EXPECT_EQ(s, "abc");
    const auto span = cut(cut_span, "a<b>c", "", ">");
    EXPECT_EQ(span.found, -1);
    EXPECT_EQ(span.out, "untouched");
    EXPECT_EQ(cut(cut_span, "a<b>c", "<", "").found, -1);
    EXPECT_EQ(cut(cut_between, "a[b]c", "", "]").found, -1);
    EXPECT_EQ(cut(cut_between, "a[b]c", "[", "").out, "untouched");
    EXPECT_FALSE(holds_marker("abc", ""));
    EXPECT_FALSE(holds_marker("", "a"));
    EXPECT_TRUE(holds_marker("abc", "bc"));
}

TEST(TextScan, ReplaceAllLeavesNoNeedle) {
    std::string s = "a b  c";
    replace_all(s, " ", "+");
    EXPECT_EQ(s, "a+b++c");
    // Removing a needle can join head and tail into a new one; that goes too.
    s = "<<b>b>x";
    replace_all(s, "<b>", "");
    EXPECT_EQ(s, "x");
    s = "<<<b>b>b>y<b>";
    replace_all(s, "<b>", "");
    EXPECT_EQ(s, "y");
    s = "\"q\"";
    replace_all(s, "\"", "%22");
    EXPECT_EQ(s, "%22q%22");
    s = "none here";
    replace_all(s, "<b>", "");
    EXPECT_EQ(s, "none here");
}

TEST(TextScan, CutSpanIncludesBothMarkers) {
    auto c = cut(cut_span, "x <td a>12</td> y", "<td", "</td>");
    EXPECT_EQ(c.found, 1);
    EXPECT_EQ(c.out, "<td a>12</td>");
    c = cut(cut_span, "x <td a>12", "<td", "</td>");
    EXPECT_EQ(c.found, -1);
    EXPECT_EQ(c.out, "untouched");
    // An end marker before the start marker does not count; the first one behind it does.
    c = cut(cut_span, "</td><td>1</td><td>2</td>", "<td", "</td>");
    EXPECT_EQ(c.out, "<td>1</td>");
    // The end may overlap the start: the scan begins at the start marker's first character.
    c = cut(cut_span, "xaba", "ab", "ba");
    EXPECT_EQ(c.found, 1);
    EXPECT_EQ(c.out, "aba");
    c = cut(cut_span, "ab", "ab", "b");
    EXPECT_EQ(c.out, "ab");
}

TEST(TextScan, CutBetweenExcludesBothMarkers) {
    auto c = cut(cut_between, "x[u]y", "[", "]");
    EXPECT_EQ(c.found, 1);
    EXPECT_EQ(c.out, "u");
    c = cut(cut_between, "x[]y", "[", "]");
    EXPECT_EQ(c.found, 1);
    EXPECT_EQ(c.out, "");
    c = cut(cut_between, "x[", "[", "]");
    EXPECT_EQ(c.found, -1);
    EXPECT_EQ(c.out, "untouched");
    // Always from the first start marker, even when a later one is nearer the end.
    EXPECT_EQ(cut(cut_between, "[a [b]", "[", "]").out, "a [b");
    // The end marker must lie wholly behind the start marker.
    EXPECT_EQ(cut(cut_between, "\"", "\"", "\"").found, -1);
    EXPECT_EQ(cut(cut_between, "<a href=\"u\">", "<a href=\"", "\"").out, "u");
}

TEST(TextScan, WebLinkAndDigitPredicates) {
    EXPECT_FALSE(is_web_link("http://abc"));
    EXPECT_TRUE(is_web_link("http://abcd"));
    EXPECT_FALSE(is_web_link("http://host/google/x"));
    EXPECT_TRUE(is_web_link("http://host/Google/x"));
    EXPECT_TRUE(is_web_link("see http-docs"));
    EXPECT_FALSE(is_web_link("HTTP://EXAMPLE.ORG"));
    EXPECT_FALSE(is_web_link(""));

    EXPECT_FALSE(is_digits(""));
    EXPECT_FALSE(is_digits("12a"));
    EXPECT_FALSE(is_digits("-5"));
    EXPECT_FALSE(is_digits(" 7"));
    EXPECT_FALSE(is_digits("1,234"));
    EXPECT_FALSE(is_digits("3.5"));
    EXPECT_FALSE(is_digits(std::string_view("1\0" "2", 3)));
    EXPECT_TRUE(is_digits("0"));
    EXPECT_TRUE(is_digits("007"));
}

TEST(TextScan, BytesAreComparedAsBytes) {
    // Bytes above 0x7F and zero bytes are ordinary characters.
    const std::string text = std::string("a\0b\xC3\xBC>c", 7);
    EXPECT_EQ(before_marker(text, ">"), std::string("a\0b\xC3\xBC", 5));
    EXPECT_EQ(after_marker(text, std::string_view("\0", 1)), "b\xC3\xBC>c");
    EXPECT_EQ(before_marker("x\xC3\xBCy", "\xBC"), "x\xC3");
}

// replace_all as written down: find the leftmost needle from the start, replace, again.
std::string replace_all_step_by_step(std::string s, std::string_view needle, std::string_view replacement) {
    for (auto p = s.find(needle); !needle.empty() && p != std::string::npos; p = s.find(needle))
        s = s.substr(0, p) + std::string(replacement) + s.substr(p + needle.size());
    return s;
}

TEST(TextScan, ReplaceAllAgreesWithTheStepByStepReplacement) {
    std::mt19937 random(2);
    const std::string alphabet = "<>/b";
    // Needles that can overlap themselves ("bb", "<b<b") and ones that cannot, removed or replaced.
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"<b>", ""}, {"</b>", ""}, {"bb", ""}, {"<b<", ""}, {"<b<b", ""}, {"b", ""}, {" ", "+"}, {"<b>", "/"},
        {"bb", "<"}, {"<", "%3C"}};
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 40, ' ');
        for (auto& c : text) c = alphabet[random() % alphabet.size()];
        const auto [needle, replacement] = cases[random() % std::size(cases)];
        std::string actual = text;
        replace_all(actual, needle, replacement);
        ASSERT_EQ(actual, replace_all_step_by_step(text, needle, replacement)) << text << " / " << needle;
    }
}

// The search skips through text in blocks; compare it with the plain library search on texts
// of every length around the block size, with needles that nearly match everywhere.
TEST(TextScan, SearchAgreesWithThePlainSearchAtEveryLength) {
    std::mt19937 random(1);
    const std::string alphabet = "<>/ab";
    const std::string_view needles[] = {"<", "<b", "</a>", "<b>", "</b>", "<a href=\"", "ab", "bb", "<<", "a/a/a"};
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 80, ' ');
        for (auto& c : text) c = alphabet[random() % alphabet.size()];
        const auto needle = needles[random() % std::size(needles)];
        const auto expected = std::string_view(text).find(needle);
        ASSERT_EQ(before_view(text, needle).size(), expected == std::string_view::npos ? text.size() : expected)
            << text << " / " << needle;
        ASSERT_EQ(holds_marker(text, needle), expected != std::string_view::npos);
        // The span's end is searched from the span's start onward.
        const auto span = span_view(text, needle, "</a>");
        const auto end = expected == std::string_view::npos ? expected : std::string_view(text).find("</a>", expected);
        ASSERT_EQ(span.has_value(), end != std::string_view::npos) << text << " / " << needle;
        if (span) {
            ASSERT_EQ(*span, std::string_view(text).substr(expected, end - expected + 4));
        }
    }
}

}  // namespace
