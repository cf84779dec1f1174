#include "analysis/bot_check.h"
#include "analysis/login_wall.h"
#include "analysis/no_figures_reason.h"
#include "analysis/retry_after.h"
#include "analysis/text_case.h"
#include "tests/support/real_pages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <map>

namespace {

HeaderLookup headers_of(std::map<std::string, std::string> headers) {
    return [headers = std::move(headers)](std::string_view name) -> std::optional<std::string> {
        const auto found = headers.find(ascii_lower(name));
        return found == headers.end() ? std::nullopt : std::optional(found->second);
    };
}

TEST(BotCheck, NamesTheInterstitialAndOnlyIt) {
    const std::string forum_page =
        "<html><body id=\"phpbb\"><dd class=\"posts\">12 <dfn>Posts</dfn></dd>"
        "<script src=\"/cdn-cgi/challenge-platform/scripts/jsd/main.js\"></script></body></html>";
    const struct {
        const char* name;
        std::string page;
        int status;
        std::map<std::string, std::string> headers;
        const char* service;
    } cases[] = {
        {"cloudflare header alone", "", 403, {{"cf-mitigated", "challenge"}}, "Cloudflare"},
        {"cloudflare challenge page",
         "<title>Just a moment...</title><script>window._cf_chl_opt={cvId: '3'};</script>", 503, {}, "Cloudflare"},
        {"page served through cloudflare", forum_page, 200, {{"server", "cloudflare"}}, ""},
        {"ddos-guard refusal", "", 403, {{"server", "ddos-guard"}}, "DDoS-Guard"},
        {"page served through ddos-guard", forum_page, 200, {{"server", "ddos-guard"}}, ""},
        {"sucuri block", "", 403, {{"x-sucuri-block", "1"}}, "Sucuri"},
        {"anubis", "<script id=\"anubis_challenge\" type=\"application/json\">{}</script>", 200, {}, "Anubis"},
        {"captcha wall", "<form method=\"post\"><div class=\"g-recaptcha\" data-sitekey=\"k\"></div></form>", 200, {},
         "CAPTCHA"},
        {"login form with a captcha",
         "<form><input type=\"password\" name=\"p\"><div class=\"h-captcha\"></div></form>", 200, {}, ""},
        {"plain 403", "", 403, {{"server", "nginx"}}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bot_check_service(c.page, c.status, headers_of(c.headers)), c.service) << c.name;
}

TEST(LoginWall, RecognisesTheEnginesLoginPagesNotAQuickLogin) {
    const struct {
        const char* name;
        const char* page;
        bool wall;
    } cases[] = {
        {"phpBB login_body", "<form action=\"./ucp.php?mode=login&amp;sid=1\" method=\"post\" id=\"login\" data-focus=\"username\">", true},
        {"phpBB index quick login", "<form method=\"post\" action=\"./ucp.php?mode=login\" class=\"headerspace\">", false},
        {"SMF", "<form action=\"index.php?action=login2\" method=\"post\" name=\"frmLogin\" id=\"frmLogin\">", true},
        {"XenForo 2", "<html id=\"XF\" data-app=\"public\" data-template=\"login\" data-container-key=\"\">", true},
        {"XenForo 2 forum list", "<html id=\"XF\" data-app=\"public\" data-template=\"forum_list\">", false},
        {"XenForo 1", "<div id=\"content\" class=\"error_with_login\">", true},
        {"vBulletin", "<input type=\"text\" class=\"bginput\" name=\"vb_login_username\" id=\"vb_login_username\" />", true},
        {"MyBB", "<form action=\"member.php\" method=\"post\"><input type=\"hidden\" name=\"action\" value=\"do_login\" />", true},
        {"no forum at all", "<p>Welcome</p>", false},
    };
    for (const auto& c : cases) EXPECT_EQ(is_login_wall(c.page), c.wall) << c.name;
}

TEST(RetryAfter, ReadsSecondsAndDates) {
    const std::int64_t now = 784111777;  // Sun, 06 Nov 1994 08:49:37 GMT
    EXPECT_EQ(retry_after_seconds("3", now), 3);
    EXPECT_EQ(retry_after_seconds(" 120 ", now), 120);
    EXPECT_EQ(retry_after_seconds("Sun, 06 Nov 1994 08:49:47 GMT", now), 10);
    EXPECT_EQ(retry_after_seconds("Sun, 06 Nov 1994 08:00:00 GMT", now), 0);
    EXPECT_EQ(retry_after_seconds("99999999999999999999999", now), std::numeric_limits<std::int64_t>::max());
    for (const char* unreadable : {"", "-1", "3.5", "soon"}) EXPECT_EQ(retry_after_seconds(unreadable, now), std::nullopt) << unreadable;
}

TEST(NoFiguresReason, APageSaysTheMostTellingReason) {
    const std::string login = "<form action=\"ucp.php?mode=login\" method=\"post\" id=\"login\">";
    const NoFiguresReason expected[] = {
        {ReasonKind::BotCheck, "bot check (Cloudflare); try another user agent"},
        {ReasonKind::LoginRequired, "login required"},
        {ReasonKind::HttpStatus, "HTTP 503 Service Unavailable"},
        {ReasonKind::CountsNotWhole, "forum engine recognised but its counts are not whole numbers (phpBB 3)"},
        {ReasonKind::NoCounts, "no forum counts on the page"},
    };
    EXPECT_EQ(unrated_page_reason({.page = login, .status = 503, .bot_check = "Cloudflare"}), expected[0]);
    EXPECT_EQ(unrated_page_reason({.page = login, .status = 503, .status_and_text = "503 Service Unavailable"}),
              expected[1]);
    EXPECT_EQ(unrated_page_reason({.page = "", .status = 503, .status_and_text = "503 Service Unavailable",
                                   .engine = "phpBB 3", .engine_recognised = true}),
              expected[2]);
    EXPECT_EQ(unrated_page_reason({.page = "", .engine = "phpBB 3", .engine_recognised = true}), expected[3]);
    EXPECT_EQ(unrated_page_reason({.page = ""}), expected[4]);
    EXPECT_EQ(reason_kind_id(ReasonKind::LoginRequired), "login-required");
}

// No real forum or search page is taken for a bot check or a login wall.
TEST(NoFiguresReason, RealPagesAreNeither) {
    if (!real_pages_present()) GTEST_SKIP() << "real pages not present at " << RAVELMOOT_REAL_FIXTURES;
    const HeaderLookup none = [](std::string_view) { return std::nullopt; };
    for (const auto& entry : std::filesystem::directory_iterator(RAVELMOOT_REAL_FIXTURES)) {
        const std::string page = read_real_page(entry.path().filename().string());
        EXPECT_EQ(bot_check_service(page, 200, none), "") << entry.path();
        EXPECT_FALSE(is_login_wall(page)) << entry.path();
    }
}

}  // namespace
