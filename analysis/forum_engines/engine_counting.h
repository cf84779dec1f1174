#pragma once

#include "analysis/popularity.h"

#include <string_view>

// Counting helpers the engine records share.

// Counts the number that the text of each <tag> element whose class holds class_name (any
// class when empty) begins with; elements holding no number are passed over.
void count_element_numbers(std::string_view text, std::string_view tag, std::string_view class_name,
                           PostCounter& counter);

// Counts what a count cell shows: the exact figure in the title of an element that gives one,
// bare or labelled (the text it shows, often a short form, is then passed over), and the one
// count of each other run of text, bare or labelled in any language.
void count_cell_numbers(std::string_view cell, PostCounter& counter);
