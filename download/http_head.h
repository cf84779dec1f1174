#pragma once

// Reading a response head as libcurl hands it over: status line, then "Name: value" lines.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The status code of a status line ("HTTP/1.1 200 OK" -> 200); 0 when it is not one.
int status_of_line(std::string_view line);
// The value of the last header line of that name (compared ignoring case), trimmed.
std::optional<std::string> header_value(std::string_view head, std::string_view name);
// Content-Length as a number; nullopt when absent or not a plain decimal number.
std::optional<std::uint64_t> content_length_of(std::string_view head);

// The status of a response that asks for credentials.
constexpr int http_unauthorized = 401;
