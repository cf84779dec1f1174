#include "analysis/socket_owners.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Lines as the kernel writes them on a little-endian machine.
const std::string kHeader =
    "  sl  local_address                         remote_address                        st tx_queue rx_queue tr "
    "tm->when retrnsmt   uid  timeout inode\n";

std::string socket_line(const std::string& local, const std::string& state, const std::string& uid) {
    const std::string remote = local.size() > 13 ? std::string(32, '0') + ":0000" : "00000000:0000";
    return "   0: " + local + " " + remote + " " + state + " 00000000:00000000 00:00000000 00000000  " + uid +
           "        0 43512 1 0000000000000000 100 0 0 10 0\n";
}

TEST(SocketOwners, ListenersReachedAtLoopbackOnThePortAreReadWithTheirOwners) {
    struct Case {
        const char* what;
        std::string line;
        std::vector<unsigned> uids;
    };
    const std::string v6_any(32, '0');
    const Case cases[] = {
        {"127.0.0.1", socket_line("0100007F:22B8", "0A", "1000"), {1000}},
        {"wildcard", socket_line("00000000:22B8", "0A", "0"), {0}},
        {"connected, not listening", socket_line("0100007F:22B8", "01", "1001"), {}},
        {"another port", socket_line("0100007F:22B9", "0A", "1001"), {}},
        {"another address", socket_line("0501A8C0:22B8", "0A", "1001"), {}},
        {"IPv6 wildcard", socket_line(v6_any + ":22B8", "0A", "1002"), {1002}},
        {"IPv6 loopback, which 127.0.0.1 does not reach", socket_line("00000000000000000000000001000000:22B8", "0A", "1002"), {}},
        {"IPv4-mapped loopback", socket_line("0000000000000000FFFF00000100007F:22B8", "0A", "1003"), {1003}},
        {"uid not a number", socket_line("0100007F:22B8", "0A", "x"), {}},
        {"cut short", "   0: 0100007F:22B8 00000000:0000 0A\n", {}},
        {"address not hex", socket_line("0100G07F:22B8", "0A", "1000"), {}},
    };
    for (const Case& c : cases) EXPECT_EQ(loopback_listener_uids(kHeader + c.line, 8888), c.uids) << c.what;

    const std::string both = kHeader + cases[0].line + cases[2].line + socket_line("00000000:22B8", "0A", "1004");
    EXPECT_EQ(loopback_listener_uids(both, 8888), (std::vector<unsigned>{1000, 1004}));
}

TEST(SocketOwners, OnlyThisUserOrASystemAccountIsTrusted) {
    struct Case {
        std::vector<unsigned> owners;
        bool trusted;
    };
    const Case cases[] = {
        {{1000}, true},         // this user
        {{0, 999}, true},       // system accounts
        {{1000, 1001}, false},  // another person beside this user
        {{1001}, false},
        {{}, false},  // none found: the owner is unknown
    };
    for (const Case& c : cases) {
        const std::string reason = untrusted_listener_reason(c.owners, 1000);
        EXPECT_EQ(reason.empty(), c.trusted) << testing::PrintToString(c.owners) << ": " << reason;
    }
    EXPECT_NE(untrusted_listener_reason({1001}, 1000).find("1001"), std::string::npos);
}

}  // namespace
