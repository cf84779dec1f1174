#include "console/url_list.h"

#include <gtest/gtest.h>

namespace {

TEST(UrlList, OneUrlALineBlanksAndCommentsSkippedOtherLinesRefusedByNumber) {
    EXPECT_TRUE(is_url_list("http://a/\nhttp://b/\tx\n"));
    EXPECT_TRUE(is_url_list(""));
    EXPECT_FALSE(is_url_list("URL\tDescription\t\r\n150\t200\t\r\n"));

    const UrlList list = read_url_list("  http://a/ \r\n\n# http://commented/\n\tHTTPS://b.example/x?y=1\t\n"
                                       "ftp://c/\nwww.d.example\n#\nhttp://\x1b[2J\n");
    EXPECT_EQ(list.urls, (std::vector<std::string>{"http://a/", "HTTPS://b.example/x?y=1"}));
    ASSERT_EQ(list.refused.size(), 3u);
    EXPECT_EQ(list.refused[0].number, 5);
    EXPECT_EQ(list.refused[0].text, "ftp://c/");
    EXPECT_EQ(list.refused[1].number, 6);
    EXPECT_EQ(list.refused[2].number, 8);
    EXPECT_EQ(list.refused[2].text, "http://?[2J");  // no escape sequence reaches the terminal
}

}  // namespace
