#pragma once

#include <string_view>

// Whether the page is a forum engine's own "you must be registered or logged in" page: the login
// form that phpBB, vBulletin, XenForo, MyBB, SMF or Invision put in place of what was asked for.
// Read by the engines' markup, which is the same in every language; a board index that merely
// offers a quick login beside its forums is not one.
bool is_login_wall(std::string_view page);
