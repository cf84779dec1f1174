#pragma once

#include <initializer_list>
#include <string_view>

// The marks by which the engine records recognise their pages.

// Whether the page holds any of marks.
bool holds_any(std::string_view page, std::initializer_list<std::string_view> marks);

// Whether the page's <meta name="generator"> content begins with prefix ("vBulletin 3").
bool generator_starts_with(std::string_view page, std::string_view prefix);
