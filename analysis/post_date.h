#pragma once

#include "analysis/calendar_day.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A date as a page writes it, checked against the calendar.
struct Ymd {
    int year;
    int month;
    int day;
    int key() const { return year * 10000 + month * 100 + day; }
};

// How an engine writes a date in numbers by default, "-" between the parts; None: a page of
// that engine has no numeric date the readers could place. MonthFirstProven: "6/27/2001",
// "6/27/01" or "06-27-2001" (a two-digit year in the century that keeps it before the download),
// for a page whose engine is not known: read only where the page proves the order with a day
// above 12 in the middle and none above 12 in front; a year in front ("2008-7-4") always.
enum class NumericDates { None, MonthDayYear, YearMonthDay, MonthFirstProven };

// The newest post date of one page, gathered from the texts and times of its last-post cells.
// Texts are read in the English forms engines print by default ("Sat Mar 10, 2018", "10th March
// 2018", "March 10, 2018", "10 March 2018 - 04:11 PM"), in numbers only in the engine's own order,
// and as relative words ("Today", "Yesterday", "5 hours ago") resolved against the download's
// time. A page that shows a numeric date impossible in its engine's order (a first number above
// 12 for month-day-year, or one read month first that falls more than a day after the download)
// has none of its numeric dates read. Dates more than a day after the download or before 1995
// are passed over. The download time is first brought into the years 1970 to 9999, whatever
// the clock said. Pure, no Qt.
class NewestPost {
public:
    NewestPost(std::int64_t download_time, NumericDates numeric);

    // Reads the first date text in text. True when text holds one in a known form, also when
    // that date was passed over, so that a tooltip's date can stand for the text it explains.
    bool take_text(std::string_view text);
    // An ISO 8601 date or time; its date part as written.
    bool take_iso(std::string_view text);
    // A Unix time in seconds (or milliseconds, as scripts write them), taken in UTC.
    bool take_unix_time(std::int64_t time);
    void take(CalendarDay day) { add(day, false); }

    // "YYYY-MM-DD", or empty when the page showed no date that could be read.
    std::string newest() const;
    // The same day as a value; none when the page showed no date that could be read.
    std::optional<CalendarDay> newest_day() const;

private:
    struct Newest {
        int key = 0;  // year * 10000 + month * 100 + day; 0 while there is none
        CalendarDay day;
    };
    void add(CalendarDay day, bool numeric);
    void add(Ymd date, bool numeric);

    std::int64_t now_;
    CalendarDay today_;
    NumericDates numeric_;
    Newest newest_;
    Newest newest_numeric_;
    bool numeric_order_unknown_ = false;
    bool month_first_proven_ = false;
};

