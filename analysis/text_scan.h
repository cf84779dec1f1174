#pragma once

#include <optional>
#include <string>
#include <string_view>

// Marker-based text scanning over bytes. Positions are found byte for byte and case-sensitively;
// an empty marker is never found and nothing is found in an empty text. None of these fail.

// The text up to the first marker (marker excluded); the whole text when the marker is absent.
std::string before_marker(std::string_view text, std::string_view marker);
// The text behind the first marker to the end; empty when the marker is absent.
std::string after_marker(std::string_view text, std::string_view marker);
// before_marker as a view into text.
std::string_view before_view(std::string_view text, std::string_view marker);
// Replaces every needle in s, searching again from the start after each replacement, so the
// result never holds the needle. The replacement must not hold the needle.
void replace_all(std::string& s, std::string_view needle, std::string_view replacement);
// From the first start marker through the first end marker at or after it, both included.
// found := 1 when found; -1 otherwise, and span is then left unchanged.
void cut_span(std::string_view text, std::string_view start, std::string_view end, int& found, std::string& span);
// The text between the first start marker and the first end marker behind it, both excluded.
// found := 1 when found; -1 otherwise, and inner is then left unchanged.
void cut_between(std::string_view text, std::string_view start, std::string_view end, int& found, std::string& inner);
// Where marker first occurs in text at or after from, or npos.
std::size_t find_marker(std::string_view text, std::string_view marker, std::size_t from);
// True when marker is found in text under the rule above (so never for an empty marker or text).
bool holds_marker(std::string_view text, std::string_view marker);
// What cut_span and cut_between deliver, as a view into text; nullopt where they report -1.
std::optional<std::string_view> span_view(std::string_view text, std::string_view start, std::string_view end);
std::optional<std::string_view> between_view(std::string_view text, std::string_view start, std::string_view end);
// Holds "http" anywhere, holds no "google", and has at least 11 characters.
bool is_web_link(std::string_view text);
// Not empty and made of the digits 0 to 9 only.
bool is_digits(std::string_view text);
