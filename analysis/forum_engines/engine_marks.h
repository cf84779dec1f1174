#pragma once

#include <cstddef>
#include <initializer_list>
#include <string_view>

// The marks by which the engine records recognise their pages.

// Whether the page holds any of marks.
bool holds_any(std::string_view page, std::initializer_list<std::string_view> marks);

// Whether the page's <meta name="generator"> content begins with prefix ("vBulletin 3").
bool generator_starts_with(std::string_view page, std::string_view prefix);

// Where the first of marks stands in the page (the smallest position of any); npos when none does.
std::size_t find_first(std::string_view page, std::initializer_list<std::string_view> marks);

// The first start tag <name> of the page, through its '>'; empty when there is none.
std::string_view first_start_tag(std::string_view page, std::string_view name);

// Where the first element <name> whose class holds class_name begins; npos when there is none.
std::size_t find_element_with_class(std::string_view page, std::string_view name, std::string_view class_name);

// The href of the first <a> start tag that holds mark ("accesskey=\"h\"") and an href; empty when
// there is none.
std::string_view href_of_anchor_holding(std::string_view page, std::string_view mark);

// The href of the first <a> with an href behind mark (a breadcrumb's container, say), within the
// few kilobytes that such a container spans; empty when mark or the link is missing.
std::string_view first_href_behind(std::string_view page, std::string_view mark);

// The href of the first <a> whose address, without its query and fragment, ends with path_end
// ("/categories"); empty when there is none.
std::string_view href_ending_with(std::string_view page, std::string_view path_end);
