#include "analysis/post_date.h"

#include "analysis/number_text.h"

#include <algorithm>
#include <array>

namespace {

using std::chrono::days;

constexpr int kEarliestYear = 1995;
// Unix times above this are milliseconds (it is in 2286 as seconds).
constexpr std::int64_t kLargestSecondsTime = 9'999'999'999;

struct Token {
    enum Kind { Word, Number, Mark } kind;
    const char* begin;
    std::uint32_t size;
    bool spaced;  // blanks (or nothing at all) stand before it

    std::string_view text() const { return {begin, size}; }
};

bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Words, digit runs and single marks of a text, "&nbsp;" read as a blank; made as far as they are
// asked for, on the stack (a page may hold many thousands of such texts). A date text is short:
// only its first kMostTokens tokens are read.
constexpr std::size_t kMostTokens = 24;

class Tokens {
public:
    explicit Tokens(std::string_view text) : text_(text) {}

    // Token i, or nullptr when the text has fewer.
    const Token* at(std::size_t i) {
        while (size_ <= i && next()) {
        }
        return i < size_ ? &tokens_[i] : nullptr;
    }

private:
    bool next() {
        bool spaced = size_ == 0;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (is_blank(c)) {
                spaced = true;
                ++pos_;
            } else if (c == '&' && text_.substr(pos_, 6) == "&nbsp;") {
                spaced = true;
                pos_ += 6;
            } else {
                break;
            }
        }
        if (pos_ >= text_.size() || size_ == kMostTokens) return false;
        const char c = text_[pos_];
        std::size_t end = pos_ + 1;
        Token::Kind kind = Token::Mark;
        if (is_letter(c)) {
            kind = Token::Word;
            while (end < text_.size() && is_letter(text_[end])) ++end;
        } else if (is_digit(c)) {
            kind = Token::Number;
            while (end < text_.size() && is_digit(text_[end])) ++end;
        }
        tokens_[size_++] = {kind, text_.data() + pos_, static_cast<std::uint32_t>(end - pos_), spaced};
        pos_ = end;
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    Token tokens_[kMostTokens];  // left uninitialised: only the first size_ are ever read
    std::size_t size_ = 0;
};

// 1 to 12 for an English month name as engines print it, capital first; 0 otherwise.
int month_of(std::string_view word) {
    static constexpr std::array<std::string_view, 12> kNames{"January", "February", "March",     "April",
                                                             "May",     "June",     "July",      "August",
                                                             "September", "October", "November", "December"};
    if (word.size() < 3 || word[0] < 'A' || word[0] > 'S') return 0;
    for (std::size_t m = 0; m < kNames.size(); ++m)
        if (word[0] == kNames[m][0] && (word == kNames[m] || word == kNames[m].substr(0, 3)))
            return static_cast<int>(m) + 1;
    return word == "Sept" ? 9 : 0;
}

int number_of(const Token& token) { return parse_digits<int>(token.text()).value_or(0); }

bool is_day_number(const Token& t) { return t.kind == Token::Number && t.size <= 2; }
bool is_year_number(const Token& t) { return t.kind == Token::Number && t.size == 4; }
bool is_mark(const Token& t, char mark) { return t.kind == Token::Mark && t.size == 1 && t.begin[0] == mark; }

// The date when the calendar has it (no Feb 30, no month 13).
std::optional<Ymd> valid_ymd(int year, int month, int day) {
    static constexpr int kDaysIn[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1 || day > kDaysIn[month - 1]) return std::nullopt;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (month == 2 && day == 29 && !leap) return std::nullopt;
    return Ymd{year, month, day};
}

class DateReader {
public:
    explicit DateReader(std::string_view text) : tokens_(text) {}

    const Token* at(std::size_t i) const { return tokens_.at(i); }

    // Behind a day number: "st", "nd", "rd" or "th" written onto it.
    std::size_t skip_ordinal(std::size_t i) const {
        const Token* t = at(i);
        if (t && t->kind == Token::Word && !t->spaced &&
            (t->text() == "st" || t->text() == "nd" || t->text() == "rd" || t->text() == "th"))
            return i + 1;
        return i;
    }
    // Behind a month's short name: the dot some boards write onto it ("Mar. 10, 2018").
    std::size_t skip_dot(std::size_t i) const {
        const Token* t = at(i);
        return t && is_mark(*t, '.') && !t->spaced ? i + 1 : i;
    }
    std::size_t skip_comma(std::size_t i) const {
        const Token* t = at(i);
        return t && is_mark(*t, ',') ? i + 1 : i;
    }

    // "Mar 10, 2018", "Mar. 10, 2018", "March 10th 2018", "Sat Mar 10, 2018".
    std::optional<Ymd> month_first(std::size_t i) const {
        const int month = month_of(at(i)->text());
        const std::size_t d = skip_dot(i + 1);
        const Token* day = at(d);
        if (month == 0 || !day || !is_day_number(*day)) return std::nullopt;
        const Token* year = at(skip_comma(skip_ordinal(d + 1)));
        if (!year || !is_year_number(*year)) return std::nullopt;
        return valid_ymd(number_of(*year), month, number_of(*day));
    }

    // "10th March 2018", "10 March 2018", "20 Mar 2018, 09:24", "10 Mar. 2018".
    std::optional<Ymd> day_first(std::size_t i) const {
        const std::size_t m = skip_ordinal(i + 1);
        const Token* month = at(m);
        if (!month || month->kind != Token::Word || month_of(month->text()) == 0) return std::nullopt;
        const Token* year = at(skip_comma(skip_dot(m + 1)));
        if (!year || !is_year_number(*year)) return std::nullopt;
        return valid_ymd(number_of(*year), month_of(month->text()), number_of(*at(i)));
    }

    // Three numbers joined by separator and nothing else around them: the parts as written.
    std::optional<std::array<const Token*, 3>> numeric_parts(std::size_t i, char separator) const {
        const Token* parts[3] = {at(i), at(i + 2), at(i + 4)};
        const Token* dashes[2] = {at(i + 1), at(i + 3)};
        for (const Token* t : parts)
            if (!t || t->kind != Token::Number) return std::nullopt;
        for (const Token* t : dashes)
            if (!t || !is_mark(*t, separator) || t->spaced) return std::nullopt;
        if (parts[1]->spaced || parts[2]->spaced) return std::nullopt;
        const Token* before = i > 0 ? at(i - 1) : nullptr;
        const Token* after = at(i + 5);
        if ((before && !at(i)->spaced && (is_mark(*before, '-') || is_mark(*before, '/'))) ||
            (after && !after->spaced && (is_mark(*after, '-') || is_mark(*after, '/'))))
            return std::nullopt;
        return std::array<const Token*, 3>{parts[0], parts[1], parts[2]};
    }

    // The time span of "5 hours ago", "a minute ago", "2 days ago"; nullopt when i starts none.
    std::optional<std::int64_t> ago_seconds(std::size_t i) const {
        const Token* count = at(i);
        const Token* unit = at(i + 1);
        const Token* ago = at(i + 2);
        if (!count || !unit || !ago || ago->text() != "ago" || unit->kind != Token::Word) return std::nullopt;
        std::int64_t n = 0;
        if (count->kind == Token::Number && count->text().size() <= 6) n = number_of(*count);
        else if (count->text() == "a" || count->text() == "an" || count->text() == "A" || count->text() == "An") n = 1;
        else return std::nullopt;
        static constexpr std::pair<std::string_view, std::int64_t> kUnits[] = {
            {"second", 1}, {"minute", 60}, {"hour", 3600}, {"day", 86400}};
        std::string_view word = unit->text();
        if (word.ends_with('s')) word.remove_suffix(1);
        for (const auto& [name, seconds] : kUnits)
            if (word == name) return n * seconds;
        return std::nullopt;
    }

private:
    mutable Tokens tokens_;
};

// "6/27/01", "6/27/2001" or "06-27-2001" at token i: nullopt when none stands there; an empty
// date when its first number can only be a day (the page's order is then unknown); proven is set
// by a day above 12, certain by a year in front.
std::optional<std::optional<Ymd>> month_first_date(const DateReader& reader, std::size_t i, CalendarDay today,
                                                   bool& order_unknown, bool& proven, bool& certain) {
    auto parts = reader.numeric_parts(i, '/');
    if (!parts) parts = reader.numeric_parts(i, '-');
    if (!parts) return std::nullopt;
    // A year in front leaves no doubt ("2008-7-4", "2008/07/04"): it needs no proof.
    if (is_year_number(*(*parts)[0])) {
        const auto [year, month, day] = *parts;
        if (!is_day_number(*month) || !is_day_number(*day)) return std::nullopt;
        const auto date = valid_ymd(number_of(*year), number_of(*month), number_of(*day));
        if (date) certain = true;
        return date ? std::optional<std::optional<Ymd>>(date) : std::nullopt;
    }
    const auto [month, day, year] = *parts;
    if (!is_day_number(*month) || !is_day_number(*day) || (year->size != 2 && year->size != 4)) return std::nullopt;
    if (number_of(*month) > 12 && number_of(*month) <= 31 && number_of(*day) <= 12) {
        order_unknown = true;
        return std::optional<Ymd>();
    }
    int full_year = number_of(*year);
    if (year->size == 2) {
        // The century that does not put the date after the download.
        const int this_year = static_cast<int>(std::chrono::year_month_day(today).year());
        full_year += 2000;
        if (full_year > this_year) full_year -= 100;
    }
    const auto date = valid_ymd(full_year, number_of(*month), number_of(*day));
    if (!date) return std::nullopt;
    if (number_of(*day) > 12) proven = true;
    return date;
}

}  // namespace

NewestPost::NewestPost(std::int64_t download_time, NumericDates numeric)
    : now_(clamp_unix_time(download_time)), today_(day_of_unix_time(now_)), numeric_(numeric) {}

void NewestPost::add(CalendarDay day, bool numeric) {
    const std::chrono::year_month_day date(day);
    add(Ymd{static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))},
        numeric);
}

void NewestPost::add(Ymd date, bool numeric) {
    // Most dates of a page are not its newest: they are passed over before any calendar work.
    Newest& newest = numeric ? newest_numeric_ : newest_;
    if (date.key() <= newest.key) return;
    const CalendarDay day = *make_calendar_day(date.year, date.month, date.day);
    if (date.year < kEarliestYear) return;
    if (day > today_ + days(1)) {
        // No post is written after the page was served: month first, this is a day first, and
        // the page's other numeric dates cannot be placed either.
        if (numeric && (numeric_ == NumericDates::MonthDayYear || numeric_ == NumericDates::MonthFirstProven))
            numeric_order_unknown_ = true;
        return;
    }
    newest = {date.key(), day};
}

bool NewestPost::take_text(std::string_view text) {
    // The shortest date text is "Today"; most texts of a page hold no date, and without a digit
    // only the relative words can give one.
    if (text.size() < 5) return false;
    if (std::none_of(text.begin(), text.end(), is_digit) && text.find("Today") == std::string_view::npos &&
        text.find("Yesterday") == std::string_view::npos && text.find("ago") == std::string_view::npos)
        return false;
    const DateReader reader(text);
    for (std::size_t i = 0; reader.at(i); ++i) {
        const Token& t = *reader.at(i);
        if (t.kind == Token::Word) {
            if (t.text() == "Today" || t.text() == "Yesterday") {
                add(today_ - days(t.text() == "Today" ? 0 : 1), false);
                return true;
            }
            if (const auto date = reader.month_first(i)) {
                add(*date, false);
                return true;
            }
        }
        // "5 hours ago", "an hour ago": only a number or an article starts one.
        const bool may_count = t.kind == Token::Number || (t.kind == Token::Word && t.size <= 2 && (t.begin[0] | 0x20) == 'a');
        if (const auto span = may_count ? reader.ago_seconds(i) : std::nullopt) {
            add(day_of_unix_time(now_ - *span), false);
            return true;
        }
        if (t.kind != Token::Number) continue;
        if (is_day_number(t)) {
            if (const auto date = reader.day_first(i)) {
                add(*date, false);
                return true;
            }
        }
        if (numeric_ == NumericDates::None) continue;
        if (numeric_ == NumericDates::MonthFirstProven) {
            bool certain = false;
            if (const auto date =
                    month_first_date(reader, i, today_, numeric_order_unknown_, month_first_proven_, certain)) {
                if (!*date) return true;
                add(**date, !certain);
                return true;
            }
            continue;
        }
        const auto parts = reader.numeric_parts(i, '-');
        if (!parts) continue;
        const auto [first, second, third] = *parts;
        const bool month_day_year = numeric_ == NumericDates::MonthDayYear;
        const Token& year = month_day_year ? *third : *first;
        const Token& month = month_day_year ? *first : *second;
        const Token& day = month_day_year ? *second : *third;
        if (!is_year_number(year) || !is_day_number(month) || !is_day_number(day)) continue;
        if (month_day_year && number_of(month) > 12 && number_of(month) <= 31 && number_of(day) <= 12) {
            // A day first: this page's numbers are in another order, and 03-04 could be either.
            numeric_order_unknown_ = true;
            return true;
        }
        const auto date = valid_ymd(number_of(year), number_of(month), number_of(day));
        if (!date) continue;
        add(*date, true);
        return true;
    }
    return false;
}

bool NewestPost::take_iso(std::string_view text) {
    const auto day = parse_iso_day(text);
    if (day) add(*day, false);
    return day.has_value();
}

bool NewestPost::take_unix_time(std::int64_t time) {
    if (time <= 0) return false;
    if (time > kLargestSecondsTime) time /= 1000;
    add(day_of_unix_time(time), false);
    return true;
}

std::optional<CalendarDay> NewestPost::newest_day() const {
    Newest newest = newest_;
    const bool order_known = numeric_ != NumericDates::MonthFirstProven || month_first_proven_;
    if (order_known && !numeric_order_unknown_ && newest_numeric_.key > newest.key) newest = newest_numeric_;
    return newest.key > 0 ? std::optional<CalendarDay>(newest.day) : std::nullopt;
}

std::string NewestPost::newest() const {
    const auto day = newest_day();
    return day ? calendar_day_text(*day) : std::string();
}
