#pragma once

#include "analysis/page_lines.h"

#include <string>

// Writes a finished page's lines, each followed by CR LF, to the download folder under the
// name page_file_name(url) gives, replacing an older copy only once the new one is complete.
// Returns an empty text on success, else a log line that names the file and the reason.
std::string save_page_copy(const std::string& folder, const std::string& url, const PageLines& page);
