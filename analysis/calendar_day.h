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

// A response's Date header value ("Sun, 06 Nov 1994 08:49:37 GMT") as a Unix time.
std::optional<std::int64_t> parse_http_date(std::string_view text);
