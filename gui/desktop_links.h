#pragma once

#include "model/console/url_opening.h"

#include <functional>
#include <string>

class QObject;

// Hands a URL to the user's desktop (browser, mail program) when the window model's rule,
// is_openable_url, lets it be opened. Returns false for a refused URL or when the desktop
// could not open it. Where the desktop's opener (xdg-open) runs, its verdict comes later: when
// it finds no program for the URL, `log` gets a line that says so. The opener's process belongs
// to `owner`; `log` must stay callable while owner lives. Event-loop thread.
bool open_with_desktop(const std::string& url, QObject* owner, const std::function<void(const std::string&)>& log);
