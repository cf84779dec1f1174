#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// Walks JSON that a page embeds, without building it: enough to read a few members of the
// objects in one array. Malformed or cut-off text gives empty results, never a failure, and
// every walk is one forward pass over the text.

// Where the JSON value that starts at pos (blanks first allowed) ends; npos when it is cut off.
std::size_t json_value_end(std::string_view text, std::size_t pos);

// The value of member key of an object (text starting with '{'), as its JSON text; empty when
// absent or when the object is malformed.
std::string_view json_member(std::string_view object, std::string_view key);

// The items of an array (text starting with '['), each as its JSON text; none when the array is
// malformed, so that a reader counts nothing from a list it cannot read whole.
std::vector<std::string_view> json_items(std::string_view array);

// The object that starts at the first '{' behind marker, as JSON text; empty when there is none.
std::string_view object_behind(std::string_view text, std::string_view marker);

// A JSON string value's text without its quotes (escapes left as they are); empty for any other value.
std::string_view json_string_text(std::string_view value);

// A count as a JSON number, or as a number sent as a string; nullopt for anything else.
std::optional<std::int32_t> json_count(std::string_view value);
