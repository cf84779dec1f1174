#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits a page at the line breaks it holds: CR LF, LF or a lone CR. A break at the very end
// adds no empty line; an empty page has no lines.
std::vector<std::string> split_page_lines(std::string_view page);

// The text of a page copy or of the saved debug page: each of count lines followed by CR LF;
// line_at(i) gives line i as a string view.
template <class LineAt>
std::string page_file_text(std::size_t count, LineAt line_at) {
    std::size_t size = 0;
    for (std::size_t i = 0; i < count; ++i) size += std::string_view(line_at(i)).size() + 2;
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < count; ++i) text.append(line_at(i)).append("\r\n");
    return text;
}

// The file name of a page copy: the URL's host (http or https, scheme in any letter case; the
// host ends at the first '/', '?' or '#'; user information up to the last '@' dropped), a
// leading "www." dropped, every character other than letters, digits, '.', '-' and '_' replaced
// by '_' (so a port "host:8080" gives "host_8080"), at most 251 bytes of it kept, then ".htm".
// "_.htm" when the URL has no host. The name is always one plain name of at most 255 bytes,
// never holding a '/', and never "." or "..".
std::string page_file_name(std::string_view url);
