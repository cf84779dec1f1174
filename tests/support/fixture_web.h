#pragma once

// The fixture web: a search service answering "/search?as_q=...&num=100[&start=N&sa=N]" and the
// forums of fixture_web_pages.h, on a loopback HttpFixtureServer. Point "Search host" at host().

#include "tests/support/fixture_web_pages.h"
#include "tests/support/http_fixture_server.h"

#include <map>
#include <mutex>
#include <string>

class FixtureWeb {
public:
    explicit FixtureWeb(HttpFixtureServer::Threading threading = HttpFixtureServer::Threading::CallerThread);

    // "127.0.0.1:<port>"
    std::string host() const;
    std::string forum_url(const fixture_web::Forum& forum) const;
    HttpFixtureServer& server() { return server_; }
    // How often a path was asked for.
    int hits(const std::string& path) const;

private:
    HttpResponse answer(const HttpRequest& request);

    HttpFixtureServer server_;
    mutable std::mutex mutex_;
    std::map<std::string, int> hits_;
};
