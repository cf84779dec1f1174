#pragma once

#include <string_view>

// Whether a row's caption may be handed to the desktop to open: an http or https address (the
// scheme in any letter case) with a host, and no control characters. A list file can hold any
// text, so local paths, "file:" or "javascript:" texts are never passed on.
bool is_openable_web_url(std::string_view text);
