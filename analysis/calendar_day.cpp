#include "analysis/calendar_day.h"

#include "analysis/number_text.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdio>

namespace {

// The value of the digits digits at pos; nullopt when they are not all digits.
std::optional<int> digits_at(std::string_view text, std::size_t pos, std::size_t digits) {
    if (pos + digits > text.size()) return std::nullopt;
    return parse_digits<int>(text.substr(pos, digits));
}

}  // namespace

std::optional<CalendarDay> make_calendar_day(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok()) return std::nullopt;
    return CalendarDay(date);
}

CalendarDay day_of_unix_time(std::int64_t seconds) {
    return std::chrono::floor<std::chrono::days>(std::chrono::sys_seconds(std::chrono::seconds(seconds)));
}

std::string calendar_day_text(CalendarDay day) {
    const std::chrono::year_month_day date(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::optional<CalendarDay> parse_iso_day(std::string_view text) {
    const auto year = digits_at(text, 0, 4);
    const auto month = digits_at(text, 5, 2);
    const auto day = digits_at(text, 8, 2);
    if (!year || !month || !day || text[4] != '-' || text[7] != '-') return std::nullopt;
    // A longer run of digits is no date of this form.
    if (text.size() > 10 && text[10] >= '0' && text[10] <= '9') return std::nullopt;
    return make_calendar_day(*year, *month, *day);
}

std::optional<std::int64_t> parse_http_date(std::string_view text) {
    // libcurl reads all three forms HTTP allows (IMF-fixdate, RFC 850, asctime) as a client must.
    const std::string value(text.substr(0, 64));
    const time_t time = curl_getdate(value.c_str(), nullptr);
    if (time < 0) return std::nullopt;
    return static_cast<std::int64_t>(time);
}

std::int64_t clamp_unix_time(std::int64_t seconds) { return std::clamp<std::int64_t>(seconds, 0, kLatestUnixTime); }
