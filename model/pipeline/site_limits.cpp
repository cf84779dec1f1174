#include "model/app/Downloaddemo_U.h"

#include "analysis/no_figures_reason.h"
#include "analysis/retry_after.h"
#include "download/http_head.h"
#include "model/pipeline/no_figures.h"

#include <ctime>
#include <map>

bool TForm1::site_allows(const std::string& url) const {
    const std::string site = SitePace::site_of(url);
    if (pipeline.site_pace.waiting(site, SitePace::Clock::now())) return false;
    const int per_site = downloads_per_site.value();
    if (per_site <= 0) return true;
    int running = 0;
    for (int i = 0; i < download_list.count(); ++i) running += SitePace::site_of(download_list.full_line(i)) == site;
    return running < per_site;
}

std::vector<std::string> TForm1::blocked_sites() const {
    std::vector<std::string> sites = pipeline.site_pace.waiting_sites(SitePace::Clock::now());
    const int per_site = downloads_per_site.value();
    if (per_site <= 0) return sites;
    std::map<std::string, int> running;
    for (int i = 0; i < download_list.count(); ++i) ++running[SitePace::site_of(download_list.full_line(i))];
    for (const auto& [site, count] : running)
        if (count >= per_site) sites.push_back(site);
    return sites;
}

std::optional<NoFiguresReason> TForm1::take_retry_after(const std::string& url, int status, std::string_view head) {
    if (status != 429 && status != 503) return std::nullopt;
    const auto value = header_value(head, "Retry-After");
    const auto seconds = value ? retry_after_seconds(*value, std::time(nullptr)) : std::nullopt;
    if (!seconds) return std::nullopt;
    const std::string site = SitePace::site_of(url);
    const std::string asked = site + " answered " + status_with_text(status) + " and asks to wait ";
    if (*seconds > kLongestRetryAfter) {
        memo1.add_line(asked + "longer than " + std::to_string(kLongestRetryAfter) + " s (Retry-After: " + *value +
                       "): " + url + " is given up");
        return no_figures_reason(ReasonKind::WaitTooLong, "(Retry-After: " + *value + ")");
    }
    pipeline.site_pace.wait_until(site, SitePace::Clock::now() + std::chrono::seconds(*seconds));
    std::string line = asked + std::to_string(*seconds) + " s: its downloads wait";
    // Too many requests at once: fewer downloads to one site may keep it from asking again.
    if (status == 429) line += "; Options > \"Downloads per site\" (--per-site) sends it fewer at once";
    memo1.add_line(line);
    return std::nullopt;
}
