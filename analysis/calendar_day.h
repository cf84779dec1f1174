#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Calendar days as pages and servers write them. Pure, no Qt, no time zones: a day is the
// date part as written, and a Unix time is taken in UTC.
using CalendarDay = std::chrono::sys_days;

// The day of year-month-day; nullopt for a day the calendar does not have (Feb 30, month 13).
std::optional<CalendarDay> make_calendar_day(int year, int month, int day);

CalendarDay day_of_unix_time(std::int64_t seconds);

// "YYYY-MM-DD".
std::string calendar_day_text(CalendarDay day);

// The date part of an ISO 8601 text ("2018-03-16", "2018-03-16T17:52:18-0400"), as written.
std::optional<CalendarDay> parse_iso_day(std::string_view text);

// A response's Date header value as a Unix time, in any of HTTP's three forms: "Sun, 06 Nov 1994
// 08:49:37 GMT", "Sunday, 06-Nov-94 08:49:37 GMT", "Sun Nov  6 08:49:37 1994".
std::optional<std::int64_t> parse_http_date(std::string_view text);

// The last second of 9999-12-31: the latest time a Date header can hold.
inline constexpr std::int64_t kLatestUnixTime = 253'402'300'799;

// A Unix time brought into the years a Date header can hold (1970 to 9999), so that a wrong
// clock cannot take the calendar beyond them.
std::int64_t clamp_unix_time(std::int64_t seconds);
