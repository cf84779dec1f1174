#pragma once

#include <string>

// Whether the desktop may be asked to open this URL: http, https and mailto only. Anything
// else (a list file can hold any text, "file:" or a program's name included) is refused.
bool is_openable_url(const std::string& url);

// Hands an openable URL to the user's desktop (browser, mail program). Returns false for a
// refused URL or when the desktop could not open it.
bool open_with_desktop(const std::string& url);
