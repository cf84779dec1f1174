#include "analysis/socket_owners.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <sstream>

namespace {

constexpr unsigned kListen = 0x0A;
constexpr unsigned kFirstPersonUid = 1000;

bool read_hex(std::string_view text, std::uint32_t& value) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return error == std::errc() && end == text.data() + text.size();
}

// The kernel prints each 32-bit word of the address as the host sees it in memory, so copying the
// words back gives the address bytes in network order on any host.
bool address_bytes(std::string_view hex, std::array<unsigned char, 16>& bytes, std::size_t& size) {
    if (hex.size() != 8 && hex.size() != 32) return false;
    size = hex.size() / 2;
    for (std::size_t word = 0; word * 8 < hex.size(); ++word) {
        std::uint32_t value = 0;
        if (!read_hex(hex.substr(word * 8, 8), value)) return false;
        std::memcpy(bytes.data() + word * 4, &value, 4);
    }
    return true;
}

bool reaches_loopback(const std::array<unsigned char, 16>& bytes, std::size_t size) {
    const unsigned char loopback[4] = {127, 0, 0, 1};
    const unsigned char any[4] = {0, 0, 0, 0};
    const auto v4_is = [&](const unsigned char* v4, std::size_t at) { return std::memcmp(bytes.data() + at, v4, 4) == 0; };
    if (size == 4) return v4_is(loopback, 0) || v4_is(any, 0);
    // ::, or an IPv4 address mapped into IPv6 (::ffff:a.b.c.d).
    const unsigned char mapped[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};
    const unsigned char zeros[12] = {};
    if (std::memcmp(bytes.data(), zeros, 12) == 0) return v4_is(any, 12);
    return std::memcmp(bytes.data(), mapped, 12) == 0 && (v4_is(loopback, 12) || v4_is(any, 12));
}

}  // namespace

std::vector<unsigned> loopback_listener_uids(std::string_view table, unsigned port) {
    std::vector<unsigned> uids;
    std::istringstream lines{std::string(table)};
    std::string line;
    while (std::getline(lines, line)) {
        // sl local_address rem_address st tx_queue:rx_queue tr:tm->when retrnsmt uid ...
        std::istringstream fields(line);
        std::string slot, local, remote, state, queues, timer, retransmits, uid_text;
        if (!(fields >> slot >> local >> remote >> state >> queues >> timer >> retransmits >> uid_text)) continue;
        const auto colon = local.find(':');
        std::uint32_t local_port = 0, socket_state = 0, uid = 0;
        std::array<unsigned char, 16> bytes{};
        std::size_t size = 0;
        if (colon == std::string::npos || !read_hex(std::string_view(local).substr(colon + 1), local_port) ||
            !read_hex(state, socket_state) || !address_bytes(std::string_view(local).substr(0, colon), bytes, size))
            continue;
        const auto [end, error] = std::from_chars(uid_text.data(), uid_text.data() + uid_text.size(), uid);
        if (error != std::errc() || end != uid_text.data() + uid_text.size()) continue;
        if (socket_state == kListen && local_port == port && reaches_loopback(bytes, size)) uids.push_back(uid);
    }
    return uids;
}

std::string untrusted_listener_reason(const std::vector<unsigned>& owners, unsigned own_uid) {
    if (owners.empty()) return "its listening socket was not found, so its owner is unknown";
    for (const unsigned uid : owners)
        if (uid != own_uid && uid >= kFirstPersonUid)
            return "it belongs to another user (uid " + std::to_string(uid) + "), who would see the keywords";
    return "";
}
