#include "analysis/login_wall.h"

#include "analysis/html_markup.h"
#include "analysis/text_scan.h"

#include <array>

namespace {

// Markup that only the engines' login pages carry (their templates' own ids and names).
constexpr auto kLoginPageMarkers = std::to_array<std::string_view>({
    // SMF 1.1 to 2.1 (and its descendants): the login form and the "guests cannot see this" page.
    "id=\"frmLogin\"",
    // XenForo 2: the template's name on the html element.
    "data-template=\"login\"",
    // XenForo 1: the template's name on the content element, and the login page's form.
    "class=\"error_with_login\"",
    "id=\"pageLogin\"",
    // vBulletin 3 and 4: the no-permission page's own login fields (the navbar's have other ids).
    "id=\"vb_login_username\"",
    // MyBB: the login form of its no-permission and login pages.
    "type=\"hidden\" name=\"action\" value=\"do_login\"",
    // Invision Community 4 and 5: the login page's controller.
    "data-controller=\"core.global.core.login\"",
});

// phpBB 3: login_body's form has the id "login" and posts to ucp.php?mode=login; the index's
// quick login posts there too, without that id.
bool is_phpbb_login_form(std::string_view page) {
    for (std::size_t at = find_start_tag(page, "form", 0); at != std::string_view::npos;
         at = find_start_tag(page, "form", at + 1)) {
        const std::string_view tag = tag_at(page, at);
        if (attribute(tag, "id") == "login" && holds_marker(attribute(tag, "action"), "mode=login")) return true;
    }
    return false;
}

}  // namespace

bool is_login_wall(std::string_view page) {
    for (const std::string_view marker : kLoginPageMarkers)
        if (holds_marker(page, marker)) return true;
    return is_phpbb_login_form(page);
}
