#pragma once

#include <string_view>

// Which URLs may be handed to the desktop to open: decided here, for the window model and its
// view alike; the view only opens what passes.

// A row's caption: an http or https address (the scheme in any letter case) with a host, and no
// control characters. A list file can hold any text, so local paths, "file:" or "javascript:"
// texts are never passed on.
bool is_openable_web_url(std::string_view text);

// Any link of the window: a row's web address as above, or a "mailto:" link with an address.
bool is_openable_url(std::string_view url);
