#pragma once

#include "model/console/url_opening.h"

#include <string>

// Hands a URL to the user's desktop (browser, mail program) when the window model's rule,
// is_openable_url, lets it be opened. Returns false for a refused URL or when the desktop
// could not open it.
bool open_with_desktop(const std::string& url);
