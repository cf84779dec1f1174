#include "analysis/retry_after.h"

#include "analysis/calendar_day.h"
#include "analysis/text_scan.h"

#include <algorithm>
#include <charconv>
#include <limits>

std::optional<std::int64_t> retry_after_seconds(std::string_view value, std::int64_t now) {
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r')) value.remove_suffix(1);
    if (is_digits(value)) {
        std::int64_t seconds = 0;
        const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), seconds);
        // More digits than fit is still a wait past any cap.
        if (ec == std::errc::result_out_of_range) return std::numeric_limits<std::int64_t>::max();
        return end == value.data() + value.size() ? std::optional(seconds) : std::nullopt;
    }
    const auto date = parse_http_date(value);
    if (!date) return std::nullopt;
    return std::max<std::int64_t>(0, *date - now);
}
