#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// How long a Retry-After header asks to wait, in whole seconds from now: its delay in seconds,
// or its HTTP date less now (seconds since 1970), never below 0. nullopt for a value that is
// neither.
std::optional<std::int64_t> retry_after_seconds(std::string_view value, std::int64_t now);

// The longest wait the research takes on: a site that asks for more is given up.
inline constexpr std::int64_t kLongestRetryAfter = 120;
