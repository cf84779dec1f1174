#pragma once

#include "analysis/post_date.h"

#include <cstdint>
#include <optional>
#include <string_view>

// The span of an age that names two units in words, as bbPress and Kunena print a last post's
// time: "1 week, 2 days ago", "2 Days 5 Hours ago", "an hour ago". The date reader would take
// only the last pair ("2 days ago"), a week too late. Weeks and smaller units only: "3 months,
// 1 week ago" is no exact span, and gives nullopt, as does a text holding no such age or one of
// more than three pairs.
std::optional<std::int64_t> age_in_words(std::string_view text);

// Reads the day of the age in text, counted back from download_time, into newest; false when text
// holds no exact age.
bool take_age_in_words(std::string_view text, std::int64_t download_time, NewestPost& newest);
