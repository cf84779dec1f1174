#include "model/console/url_opening.h"

#include "analysis/web_url.h"

bool is_openable_web_url(std::string_view text) { return is_web_address(text); }

bool is_openable_url(std::string_view url) { return is_web_address(url) || is_mail_address(url); }
