#include "analysis/bot_check.h"

#include "analysis/text_case.h"
#include "analysis/text_scan.h"

#include <array>

namespace {

bool refused(int status) { return status == 403 || status == 429 || status == 503; }

bool header_holds(const HeaderLookup& header, std::string_view name, std::string_view word) {
    const auto value = header(name);
    return value && holds_marker(ascii_lower(*value), word);
}

struct BotCheck {
    const char* service;
    // The headers that only the interstitial's response carries (status as given).
    bool (*by_headers)(int status, const HeaderLookup& header);
    // Markup that only the interstitial page holds; any one of them is enough.
    std::array<std::string_view, 3> page_markers;
};

// The markers of the common interstitials. The challenge pages' own scripts and forms are
// named here, never the scripts that the same services add to every page they serve.
const BotCheck kBotChecks[] = {
    {"Cloudflare",
     [](int, const HeaderLookup& h) { return header_holds(h, "cf-mitigated", "challenge"); },
     {"window._cf_chl_opt", "cf-browser-verification", "name=\"cf_captcha_kind\""}},
    {"DDoS-Guard",
     [](int status, const HeaderLookup& h) { return refused(status) && header_holds(h, "server", "ddos-guard"); },
     {"/.well-known/ddos-guard/check", "<title>DDoS-Guard</title>", ""}},
    {"Sucuri",
     [](int status, const HeaderLookup& h) {
         return h("x-sucuri-block").has_value() || (refused(status) && header_holds(h, "server", "sucuri"));
     },
     {"sucuri_cloudproxy_js", "<title>Sucuri WebSite Firewall", ""}},
    {"Anubis", [](int, const HeaderLookup&) { return false; }, {"id=\"anubis_challenge\"", "/.within.website/x/cmd/anubis/", ""}},
    {"Imperva",
     [](int, const HeaderLookup&) { return false; },
     {"_Incapsula_Resource", "Incapsula incident ID", ""}},
    {"AWS WAF", [](int status, const HeaderLookup& h) { return refused(status) && h("x-amzn-waf-action").has_value(); },
     {"AwsWafIntegration", "awsWafCookieDomainList", ""}},
};

// The widgets of the common CAPTCHA services.
constexpr auto kCaptchaWidgets = std::to_array<std::string_view>({
    "class=\"g-recaptcha\"",
    "class=\"h-captcha\"",
    "class=\"cf-turnstile\"",
    "class=\"frc-captcha\"",
});

// A page that is only a CAPTCHA: its widget, and neither a password field (a login or
// registration form that asks for one too) nor a second form beside it.
bool is_captcha_wall(std::string_view page) {
    bool widget = false;
    for (const std::string_view marker : kCaptchaWidgets) widget = widget || holds_marker(page, marker);
    if (!widget || holds_marker(page, "type=\"password\"")) return false;
    const std::size_t form = find_marker(page, "<form", 0);
    return form == std::string_view::npos || find_marker(page, "<form", form + 1) == std::string_view::npos;
}

}  // namespace

std::string bot_check_service(std::string_view page, int status, const HeaderLookup& header) {
    for (const BotCheck& check : kBotChecks) {
        if (check.by_headers(status, header)) return check.service;
        for (const std::string_view marker : check.page_markers)
            if (holds_marker(page, marker)) return check.service;
    }
    return is_captcha_wall(page) ? "CAPTCHA" : "";
}
