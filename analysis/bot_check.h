#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A response header by name (letter case ignored), nullopt when the response has none.
using HeaderLookup = std::function<std::optional<std::string>(std::string_view name)>;

// Which bot check a response is: "Cloudflare", "DDoS-Guard", "Sucuri", "Anubis", "Imperva",
// "AWS WAF" or "CAPTCHA" (a page that is only a CAPTCHA); empty when it is none. Only the
// interstitial itself counts: a real page served through such a service carries its scripts
// too (Cloudflare's /cdn-cgi/challenge-platform/scripts/jsd/...) and is no bot check. The page
// may be empty (a 4xx answer arrives without its body); the status and headers then decide.
std::string bot_check_service(std::string_view page, int status, const HeaderLookup& header);
