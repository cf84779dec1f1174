#include "analysis/retry_after.h"

#include "analysis/calendar_day.h"
#include "analysis/number_text.h"
#include "analysis/plain_text.h"
#include "analysis/text_scan.h"

#include <algorithm>
#include <limits>

std::optional<std::int64_t> retry_after_seconds(std::string_view value, std::int64_t now) {
    // A header value may still end with its line break.
    value = trim_blanks(value, " \t\r");
    // More digits than fit is still a wait past any cap.
    if (is_digits(value)) return parse_digits<std::int64_t>(value).value_or(std::numeric_limits<std::int64_t>::max());
    const auto date = parse_http_date(value);
    if (!date) return std::nullopt;
    return std::max<std::int64_t>(0, *date - now);
}
