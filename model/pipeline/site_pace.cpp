#include "model/pipeline/site_pace.h"

#include "analysis/text_case.h"
#include "analysis/web_url.h"

std::string SitePace::site_of(std::string_view url) { return ascii_lower(web_host(url)); }

void SitePace::wait_until(const std::string& site, Clock::time_point until) {
    auto [entry, added] = waits_.try_emplace(site, until);
    if (!added && entry->second < until) entry->second = until;
}

bool SitePace::waiting(std::string_view site, Clock::time_point now) const {
    const auto entry = waits_.find(site);
    return entry != waits_.end() && now < entry->second;
}

std::vector<std::string> SitePace::waiting_sites(Clock::time_point now) const {
    std::vector<std::string> sites;
    for (const auto& [site, until] : waits_)
        if (now < until) sites.push_back(site);
    return sites;
}
