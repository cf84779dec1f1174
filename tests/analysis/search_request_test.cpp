#include "analysis/search_request.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr std::string_view kHost = "www.google.com";

std::string first_page_url(std::string_view keyword) {
    return make_search_url(kHost, search_query_text(keyword), 0);
}

TEST(SearchRequest, DefaultKeywordGivesTheKnownUrl) {
    EXPECT_EQ(first_page_url("software marketing"),
              "http://www.google.com/search?as_q=%22forum+index%22+software+marketing&lr=&num=100");
    EXPECT_EQ(make_search_url(kHost, search_query_text("software marketing"), 100),
              "http://www.google.com/search?as_q=%22forum+index%22+software+marketing&lr=&num=100&start=100&sa=N");
    // A host with a port is taken as given.
    EXPECT_EQ(make_search_url("127.0.0.1:8080", search_query_text("x"), 200),
              "http://127.0.0.1:8080/search?as_q=%22forum+index%22+x&lr=&num=100&start=200&sa=N");
}

TEST(SearchRequest, OffsetsOfZeroOrLessLeaveOutStart) {
    EXPECT_EQ(make_search_url(kHost, "q", 0), "http://www.google.com/search?as_q=q&lr=&num=100");
    EXPECT_EQ(make_search_url(kHost, "q", -100), "http://www.google.com/search?as_q=q&lr=&num=100");
}

TEST(SearchRequest, QueryEncodingChangesBlanksAndQuotesOnly) {
    EXPECT_EQ(query_encode("\"forum index\""), "%22forum+index%22");
    EXPECT_EQ(query_encode("a  b"), "a++b");
    EXPECT_EQ(query_encode("%&+#\xC3\xBC"), "%&+#\xC3\xBC");
    // make_search_url encodes once more: only the joining blank changes in that pass.
    EXPECT_EQ(make_search_url(kHost, "%22forum+index%22 web+forum", 0),
              "http://www.google.com/search?as_q=%22forum+index%22+web+forum&lr=&num=100");
}

TEST(SearchRequest, KeywordReachesTheServiceAsTyped) {
    EXPECT_EQ(search_query_text("web forum"), "%22forum+index%22 web+forum");
    // "+" and "&" would otherwise read as a blank and as the next parameter.
    EXPECT_EQ(search_query_text("c++ & go"), "%22forum+index%22 c%2B%2B+%26+go");
    EXPECT_EQ(first_page_url("c++ & go"),
              "http://www.google.com/search?as_q=%22forum+index%22+c%2B%2B+%26+go&lr=&num=100");
    EXPECT_EQ(search_query_text("say \"hi\""), "%22forum+index%22 say+%22hi%22");
    EXPECT_EQ(search_query_text("100% #1"), "%22forum+index%22 100%25+%231");
    // UTF-8 bytes, control bytes and DEL, upper-case hex.
    EXPECT_EQ(percent_encode_keyword("f\xC3\xBCr"), "f%C3%BCr");
    EXPECT_EQ(percent_encode_keyword(std::string_view("a\tb\0\x7F", 5)), "a%09b%00%7F");
    EXPECT_EQ(percent_encode_keyword("~!$'()*,/:;=?@[]"), "~!$'()*,/:;=?@[]");
    EXPECT_EQ(first_page_url(""), "http://www.google.com/search?as_q=%22forum+index%22+&lr=&num=100");
}

TEST(SearchRequest, PageCountFollowsTheDigLevel) {
    EXPECT_EQ(search_page_count(100), 1);
    EXPECT_EQ(search_page_count(200), 2);
    EXPECT_EQ(search_page_count(250), 2);
    EXPECT_EQ(search_page_count(299), 2);
    EXPECT_EQ(search_page_count(300), 3);
    EXPECT_EQ(search_page_count(1), 1);
    EXPECT_EQ(search_page_count(199), 1);
    EXPECT_EQ(search_page_count(0), 0);
    EXPECT_EQ(search_page_count(-5), 0);
    EXPECT_EQ(search_page_count(-99), 0);
    EXPECT_EQ(search_page_count(std::numeric_limits<int>::min()), 0);
    EXPECT_EQ(search_page_count(std::numeric_limits<int>::max()), 21474836);
}

}  // namespace
