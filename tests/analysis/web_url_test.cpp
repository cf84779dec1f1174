#include "analysis/web_url.h"

#include <gtest/gtest.h>

namespace {

// The host a download reports while it looks for its server: no port, no user information.
TEST(WebUrl, HostLeavesOutPortAndUserInformation) {
    const struct {
        const char* url;
        const char* host;
    } cases[] = {
        {"http://forum.example.org/index.php", "forum.example.org"},
        {"HTTPS://Forum.Example.org:8443/?x=/y", "Forum.Example.org"},
        {"http://user:pw@a@b.example:81#top", "b.example"},
        {"http://[::1]:8080/forum/", "[::1]"},
        {"http://[::1/", ""},
        {"http://:80/", ""},
        {"ftp://a.example/", ""},
        {"a.example", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(web_host(c.url), c.host) << c.url;
}

}  // namespace
