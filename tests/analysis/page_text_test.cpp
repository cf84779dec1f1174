#include "analysis/page_text.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(PageLines, EachKindOfBreakEndsALine) {
    EXPECT_EQ(split_page_lines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    // A lone CR followed by CR LF is two breaks; LF CR is two as well.
    EXPECT_EQ(split_page_lines("a\r\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(split_page_lines("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(split_page_lines("a\n\n\nb"), (Lines{"a", "", "", "b"}));
    EXPECT_EQ(split_page_lines("\r\n\r\n"), (Lines{"", ""}));
}

TEST(PageLines, AFinalBreakAddsNoLine) {
    EXPECT_EQ(split_page_lines(""), Lines{});
    EXPECT_EQ(split_page_lines("\n"), Lines{""});
    EXPECT_EQ(split_page_lines("\r"), Lines{""});
    EXPECT_EQ(split_page_lines("a\r\n"), Lines{"a"});
    EXPECT_EQ(split_page_lines("a\r"), Lines{"a"});
    EXPECT_EQ(split_page_lines("a\n"), Lines{"a"});
    EXPECT_EQ(split_page_lines("a"), Lines{"a"});
}

TEST(PageLines, BytesStayAsTheyArrived) {
    const std::string page("x\0y\n\xC3\xBC\t \r\n", 10);
    EXPECT_EQ(split_page_lines(page), (Lines{std::string("x\0y", 3), "\xC3\xBC\t "}));
    // Lines are not cut here; the reader caps them.
    const std::string long_line(10000, 'x');
    EXPECT_EQ(split_page_lines(long_line + "\n" + long_line), (Lines{long_line, long_line}));
}

TEST(PageFileName, NamedAfterTheHost) {
    EXPECT_EQ(page_file_name("http://www.forum.example.org/board/index.php"), "forum.example.org.htm");
    EXPECT_EQ(page_file_name("http://www.forum.example.org"), "forum.example.org.htm");
    EXPECT_EQ(page_file_name("http://forum.example.org/index.php"), "forum.example.org.htm");
    EXPECT_EQ(page_file_name("https://forum.example.org/"), "forum.example.org.htm");
    EXPECT_EQ(page_file_name("HTTPS://Forum.Example.org/"), "Forum.Example.org.htm");
    EXPECT_EQ(page_file_name("http://forum.example.org?x=/y"), "forum.example.org.htm");
    EXPECT_EQ(page_file_name("http://forum.example.org#top/y"), "forum.example.org.htm");
    EXPECT_EQ(page_file_name("http://127.0.0.1:8080/forum/"), "127.0.0.1_8080.htm");
    EXPECT_EQ(page_file_name("http://user:pw@www.example.org:81/"), "example.org_81.htm");
    EXPECT_EQ(page_file_name("http://a@b@forum.example.org/"), "forum.example.org.htm");
    EXPECT_EQ(page_file_name("http://[::1]:8080/"), "___1__8080.htm");
    EXPECT_EQ(page_file_name("http://wwwx.example.org/"), "wwwx.example.org.htm");
}

TEST(PageFileName, NoHostGivesOneFixedName) {
    EXPECT_EQ(page_file_name(""), "_.htm");
    EXPECT_EQ(page_file_name("ftp://files.example.org/"), "_.htm");
    EXPECT_EQ(page_file_name("file:///etc/passwd"), "_.htm");
    EXPECT_EQ(page_file_name("http:///path"), "_.htm");
    EXPECT_EQ(page_file_name("http://www./"), "_.htm");
    EXPECT_EQ(page_file_name("http://user@/x"), "_.htm");
    EXPECT_EQ(page_file_name("forum.example.org/index.php"), "_.htm");
}

TEST(PageFileName, NeverLeavesTheFolder) {
    // Whatever the host holds, the name is one plain file name in the folder.
    const std::vector<std::string> urls{"http://../x",
                                        "http://./",
                                        "http://..%2F..%2Fetc/",
                                        "http://a\\..\\..\\b/",
                                        "http://\xC3\xBC.example/",
                                        std::string("http://a\0b/", 11),
                                        "http://~/",
                                        "http://" + std::string(300, 'h') + "/"};
    for (const auto& url : urls) {
        const auto name = page_file_name(url);
        EXPECT_EQ(name.find('/'), std::string::npos) << name;
        EXPECT_EQ(name.find('\\'), std::string::npos) << name;
        EXPECT_EQ(name.find('\0'), std::string::npos) << name;
        EXPECT_NE(name, ".");
        EXPECT_NE(name, "..");
        EXPECT_LE(name.size(), 255u) << name;
        EXPECT_TRUE(name.ends_with(".htm")) << name;
    }
    EXPECT_EQ(page_file_name("http://../x"), "...htm");
    EXPECT_EQ(page_file_name("http://a\\..\\b/"), "a_.._b.htm");
    EXPECT_EQ(page_file_name("http://\xC3\xBC.example/"), "__.example.htm");
}

}  // namespace
