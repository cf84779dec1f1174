#pragma once

#include <string>
#include <string_view>
#include <vector>

// A list of plain URLs, one a line, as people write them: the other kind of forum list the
// runner reads beside list files. Pure text work, no Qt.

struct RefusedUrlLine {
    int number;  // from 1
    // The line as it may be shown on a terminal: control bytes as '?', cut after 100 bytes.
    std::string text;
};

struct UrlList {
    std::vector<std::string> urls;
    std::vector<RefusedUrlLine> refused;  // lines that are no http or https URL
};

// A list file's first line holds its captions, each followed by TAB; a URL list's holds none.
bool is_url_list(std::string_view bytes);

// Each line trimmed of surrounding blanks; blank lines and lines starting with '#' are skipped,
// every other line is a URL or refused.
UrlList read_url_list(std::string_view bytes);
