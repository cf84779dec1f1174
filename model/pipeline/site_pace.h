#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The sites of a research by host (lower case, port left out): until when each one asked the
// research to wait before its next download (Retry-After). Owned by the pipeline state;
// event-loop thread only.
class SitePace {
public:
    using Clock = std::chrono::steady_clock;

    // A URL's site: its host in lower case; empty for a text that is no web URL.
    static std::string site_of(std::string_view url);

    // No download to the site starts before until; a later wait asked for earlier stands.
    void wait_until(const std::string& site, Clock::time_point until);
    bool waiting(std::string_view site, Clock::time_point now) const;
    // The sites still waiting at now.
    std::vector<std::string> waiting_sites(Clock::time_point now) const;
    void clear() { waits_.clear(); }

private:
    std::map<std::string, Clock::time_point, std::less<>> waits_;
};
