#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// Walks JSON that a page embeds, without building it: enough to read a few members of the
// objects in one array. Malformed or cut-off text gives empty results, never a failure.

// Where the JSON value that starts at pos (blanks first allowed) ends; npos when it is cut off.
std::size_t json_value_end(std::string_view text, std::size_t pos);

// The value of member key of an object (text starting with '{'), as its JSON text; empty when absent.
std::string_view json_member(std::string_view object, std::string_view key);

// The items of an array (text starting with '['), each as its JSON text.
std::vector<std::string_view> json_items(std::string_view array);
