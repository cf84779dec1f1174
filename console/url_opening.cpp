#include "console/url_opening.h"

#include "analysis/text_case.h"

#include <algorithm>

namespace {

// Drops a leading "http://" or "https://"; false when neither begins the text.
bool strip_web_scheme(std::string_view& text) {
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
        if (text.size() >= scheme.size() && equals_ignoring_case(text.substr(0, scheme.size()), scheme)) {
            text.remove_prefix(scheme.size());
            return true;
        }
    }
    return false;
}

bool is_control(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7f;
}

}  // namespace

bool is_openable_web_url(std::string_view text) {
    if (std::any_of(text.begin(), text.end(), is_control)) return false;
    if (!strip_web_scheme(text)) return false;
    const std::string_view authority = text.substr(0, text.find_first_of("/?#"));
    // User information may precede the host; what follows the last '@' must name one.
    const auto at = authority.rfind('@');
    const std::string_view host = at == std::string_view::npos ? authority : authority.substr(at + 1);
    return !host.empty() && host.front() != ':';
}
