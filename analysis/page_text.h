#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits a page at the line breaks it holds: CR LF, LF or a lone CR. A break at the very end
// adds no empty line; an empty page has no lines.
std::vector<std::string> split_page_lines(std::string_view page);

// The file name of a page copy: the URL's host (http or https), a leading "www." dropped, every
// character other than letters, digits, '.', '-' and '_' replaced by '_', then ".htm".
// "_.htm" when the URL has no host.
std::string page_file_name(std::string_view url);
