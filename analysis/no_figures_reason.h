#pragma once

#include <optional>
#include <string>
#include <string_view>

// Why a forum gave no figures: a kind and one short text made from it and an optional detail
// ("HTTP 403 Forbidden", "bot check (Cloudflare); try another user agent").
enum class ReasonKind {
    HttpStatus,
    TimedOut,
    CannotConnect,
    HostNotFound,
    Tls,
    TooManyRedirects,
    TooLarge,
    ConnectionBroken,
    WaitTooLong,
    BotCheck,
    LoginRequired,
    NoCounts,
    CountsNotWhole,
    DownloadFailed,
    // A topic page, or a forum page without sub-forum figures, whose board index was queued instead.
    TopicPage,
    ForumPage,
};

// One forum's reason: its kind, which the runner's summary counts, and its text, which the person
// reads (the kind's text, followed by a blank and the detail when there is one).
struct NoFiguresReason {
    ReasonKind kind;
    std::string text;
    bool operator==(const NoFiguresReason&) const = default;
};

NoFiguresReason no_figures_reason(ReasonKind kind, std::string_view detail = {});

// The kind's short id for counting ("http-status", "bot-check", ...).
std::string_view reason_kind_id(ReasonKind kind);

// The reason for a bot check by that service, which suggests another user agent.
NoFiguresReason bot_check_reason(std::string_view service);

// What is known of a page that was read and gave no figures.
struct UnratedPage {
    std::string_view page = {};
    int status = 200;
    std::string status_and_text = {};  // "503 Service Unavailable"
    std::string bot_check = {};        // the service whose bot check the page is, or empty
    std::string engine = {};           // display name of an engine that recognised the page
    bool engine_recognised = false;    // an engine recognised it but counted nothing
};

// The reason for such a page, most telling first: a bot check, a login wall, an HTTP status
// that is no success, an engine without whole counts, else no counts at all.
NoFiguresReason unrated_page_reason(const UnratedPage& page);
