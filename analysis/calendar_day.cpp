#include "analysis/calendar_day.h"


#include <array>
#include <cstdio>

namespace {

// The value of the digits digits at pos; nullopt when they are not all digits.
std::optional<int> digits_at(std::string_view text, std::size_t pos, std::size_t digits) {
    if (pos + digits > text.size()) return std::nullopt;
    int value = 0;
    for (std::size_t i = pos; i < pos + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

constexpr std::array<std::string_view, 12> kMonthAbbreviations{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

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
    // IMF-fixdate, the one form servers send today: "Sun, 06 Nov 1994 08:49:37 GMT".
    const std::size_t comma = text.find(", ");
    if (comma == std::string_view::npos) return std::nullopt;
    const std::string_view rest = text.substr(comma + 2);
    if (rest.size() < 24 || rest.substr(20, 4) != " GMT") return std::nullopt;
    int month = 0;
    for (std::size_t m = 0; m < kMonthAbbreviations.size(); ++m)
        if (rest.substr(3, 3) == kMonthAbbreviations[m]) month = static_cast<int>(m) + 1;
    const auto day_number = digits_at(rest, 0, 2);
    const auto year = digits_at(rest, 7, 4);
    const auto hour = digits_at(rest, 12, 2);
    const auto minute = digits_at(rest, 15, 2);
    const auto second = digits_at(rest, 18, 2);
    if (!day_number || !year || !hour || !minute || !second || rest[2] != ' ' || rest[6] != ' ' || rest[11] != ' ')
        return std::nullopt;
    const auto day = make_calendar_day(*year, month, *day_number);
    if (!day || *hour > 23 || *minute > 59 || *second > 60) return std::nullopt;
    const auto since_epoch = std::chrono::duration_cast<std::chrono::seconds>(day->time_since_epoch()).count();
    return since_epoch + *hour * 3600 + *minute * 60 + *second;
}
