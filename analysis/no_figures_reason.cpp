#include "analysis/no_figures_reason.h"

#include "analysis/login_wall.h"

#include <array>

namespace {

struct ReasonRecord {
    ReasonKind kind;
    const char* id;
    const char* text;
};

constexpr auto kReasons = std::to_array<ReasonRecord>({
    {ReasonKind::HttpStatus, "http-status", "HTTP"},
    {ReasonKind::TimedOut, "time-out", "timed out"},
    {ReasonKind::CannotConnect, "cannot-connect", "cannot connect"},
    {ReasonKind::HostNotFound, "host-not-found", "host not found"},
    {ReasonKind::Tls, "tls", "TLS or certificate problem"},
    {ReasonKind::TooManyRedirects, "redirects", "too many redirects"},
    {ReasonKind::TooLarge, "too-large", "page over the size cap"},
    {ReasonKind::ConnectionBroken, "connection-broken", "connection broken"},
    {ReasonKind::WaitTooLong, "wait-too-long", "site asks to wait too long"},
    {ReasonKind::BotCheck, "bot-check", "bot check"},
    {ReasonKind::LoginRequired, "login-required", "login required"},
    {ReasonKind::NoCounts, "no-counts", "no forum counts on the page"},
    {ReasonKind::CountsNotWhole, "counts-not-whole", "forum engine recognised but its counts are not whole numbers"},
    {ReasonKind::DownloadFailed, "download-failed", "download failed"},
    {ReasonKind::TopicPage, "topic-page", "topic page;"},
    {ReasonKind::ForumPage, "forum-page", "forum page;"},
});

const ReasonRecord& record_of(ReasonKind kind) {
    for (const auto& record : kReasons)
        if (record.kind == kind) return record;
    return kReasons.back();
}

}  // namespace

NoFiguresReason no_figures_reason(ReasonKind kind, std::string_view detail) {
    std::string text = record_of(kind).text;
    if (!detail.empty()) text += " " + std::string(detail);
    return {kind, std::move(text)};
}

std::string_view reason_kind_id(ReasonKind kind) { return record_of(kind).id; }

NoFiguresReason bot_check_reason(std::string_view service) {
    return no_figures_reason(ReasonKind::BotCheck, "(" + std::string(service) + "); try another user agent");
}

NoFiguresReason unrated_page_reason(const UnratedPage& page) {
    if (!page.bot_check.empty()) return bot_check_reason(page.bot_check);
    if (is_login_wall(page.page)) return no_figures_reason(ReasonKind::LoginRequired);
    if (page.status >= 300)
        return no_figures_reason(ReasonKind::HttpStatus, page.status_and_text);
    if (page.engine_recognised) return no_figures_reason(ReasonKind::CountsNotWhole, "(" + page.engine + ")");
    return no_figures_reason(ReasonKind::NoCounts);
}
