#pragma once

#include <string>
#include <string_view>
#include <vector>

// Who owns a loopback listener, read from the kernel's socket tables, so that a search service
// someone else runs on this machine (who would see every keyword and choose every link) is told
// apart from the user's own or the system's.

// The uids of the TCP sockets in `table` (the text of /proc/net/tcp or /proc/net/tcp6) that listen
// on `port` where a connection to 127.0.0.1 reaches them: 127.0.0.1, the wildcard address, or
// their IPv6 forms. Lines that do not read as sockets are skipped.
std::vector<unsigned> loopback_listener_uids(std::string_view table, unsigned port);

// Empty when the listeners may be trusted: at least one, and each this user's (`own_uid`) or a
// system account's (below 1000). Otherwise why not, for the log.
std::string untrusted_listener_reason(const std::vector<unsigned>& owners, unsigned own_uid);
