#include <array>
#include <cmath>

#include "vbscript/characters.h"
#include "vbscript/dates.h"
#include "vbscript/errors.h"
#include "vbscript/functions.h"
#include "vbscript/locale.h"

namespace vbscript::functions {

namespace {

variant checked_date(double serial) {
    if (!in_date_range(serial)) raise(err_invalid_call);
    return variant::date(serial);
}

// A part of a date argument; Null gives Null.
variant part(const variant& x, int date_parts::*member) {
    if (x.is_null()) return x;
    return variant::integer(parts_of(date_of(x)).*member);
}

double integer_arg(const variant& v) { return whole_number_in(v, -32768, 32767); }

enum class interval { year, quarter, month, day_of_year, day, week, week_of_year, hour, minute, second };

interval interval_of(const variant& v) {
    struct name {
        std::u16string_view text;
        interval i;
    };
    // clang-format off
    static constexpr std::array<name, 10> names{{
        {u"d", interval::day}, {u"h", interval::hour}, {u"m", interval::month},
        {u"n", interval::minute}, {u"q", interval::quarter}, {u"s", interval::second},
        {u"w", interval::week}, {u"ww", interval::week_of_year}, {u"y", interval::day_of_year},
        {u"yyyy", interval::year}}};
    // clang-format on
    const std::u16string s = text_of(v);
    for (const name& n : names)
        if (same_ignoring_case(s, n.text)) return n.i;
    raise(err_invalid_call);
}

// Adds months, keeping the time and pulling the day back to the month's last day.
double add_months(double serial, double months) {
    const date_parts p = parts_of(serial);
    const double first = day_serial(p.year, p.month + static_cast<long long>(months), 1);
    const double next = day_serial(p.year, p.month + static_cast<long long>(months) + 1, 1);
    const double day = std::min(first + p.day - 1, next - 1);
    return serial_from(day, seconds_of(serial));
}

long long total_seconds(double serial) {
    return static_cast<long long>(day_of(serial)) * 86400 + static_cast<long long>(seconds_of(serial));
}

long long floor_div(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// The firstweekofyear argument: vbFirstJan1 (1, also when left out), vbFirstFourDays
// (2) or vbFirstFullWeek (3); 0 is the locale's rule.
long long week_rule_argument(arguments a, size_t i) {
    const long long rule = has(a, i) ? long_of(a[i]) : 1;
    if (rule < 0 || rule > 3) raise(err_invalid_call);
    return rule == 0 ? zh_cn::first_week_of_year : rule;
}

// 1 for the first day of the week, up to 7; weekday counts from Sunday as 1.
int day_in_week(int weekday, long long first_day) { return static_cast<int>((weekday - first_day + 7) % 7 + 1); }

// The day serial on which week 1 of the year begins under the rule.
long long first_week_start(long long year, long long first_day, long long rule) {
    const long long jan1 = static_cast<long long>(day_serial(year, 1, 1));
    const long long before = day_in_week(parts_of(static_cast<double>(jan1)).weekday, first_day) - 1;
    const bool short_first = (rule == 2 && before > 3) || (rule == 3 && before > 0);
    return jan1 - before + (short_first ? 7 : 0);
}

// The week of the year a day belongs to; a day before the year's week 1 belongs to the
// last week of the year before.
int week_of_year(double day, long long year, long long first_day, long long rule) {
    long long start = first_week_start(year, first_day, rule);
    if (static_cast<long long>(day) < start) start = first_week_start(year - 1, first_day, rule);
    return static_cast<int>(floor_div(static_cast<long long>(day) - start, 7) + 1);
}

}  // namespace

long long first_day_argument(arguments a, size_t i) {
    const long long first = has(a, i) ? long_of(a[i]) : 1;
    if (first < 0 || first > 7) raise(err_invalid_call);
    return first == 0 ? zh_cn::first_day_of_week : first;
}

variant Now(arguments) { return variant::date(now_serial()); }

// Timer: the seconds since midnight, to the hundredth, as a Single.
variant Timer(arguments) { return variant::single(std::round(seconds_since_midnight() * 100) / 100); }
variant Date(arguments) { return variant::date(day_of(now_serial())); }
variant Time(arguments) { return variant::date(seconds_of(now_serial()) / 86400); }

variant DateSerial(arguments a) {
    double y = integer_arg(a[0]);
    const double m = integer_arg(a[1]), d = integer_arg(a[2]);
    if (y >= 0 && y < 30) y += 2000;
    else if (y >= 30 && y < 100) y += 1900;
    return checked_date(day_serial(static_cast<long long>(y), static_cast<long long>(m), static_cast<long long>(d)));
}

variant TimeSerial(arguments a) {
    const double s = integer_arg(a[0]) * 3600 + integer_arg(a[1]) * 60 + integer_arg(a[2]);
    return checked_date(serial_from(0, s));
}

// DateAdd(interval, number, date)
variant DateAdd(arguments a) {
    const interval i = interval_of(a[0]);
    const double n = long_of(a[1]);
    if (a[2].is_null()) return a[2];
    const double d = date_of(a[2]);
    const double day = day_of(d), secs = seconds_of(d);
    switch (i) {
    case interval::year: return checked_date(add_months(d, n * 12));
    case interval::quarter: return checked_date(add_months(d, n * 3));
    case interval::month: return checked_date(add_months(d, n));
    case interval::day:
    case interval::day_of_year:
    case interval::week: return checked_date(serial_from(day + n, secs));
    case interval::week_of_year: return checked_date(serial_from(day + 7 * n, secs));
    case interval::hour: return checked_date(serial_from(day, secs + 3600 * n));
    case interval::minute: return checked_date(serial_from(day, secs + 60 * n));
    case interval::second: return checked_date(serial_from(day, secs + n));
    }
    raise(err_invalid_call);
}

// DateDiff(interval, date1, date2[, firstdayofweek[, firstweekofyear]]): how many
// interval boundaries lie between the two dates.
variant DateDiff(arguments a) {
    const interval i = interval_of(a[0]);
    const long long first_day = first_day_argument(a, 3);
    week_rule_argument(a, 4);
    if (a[1].is_null() || a[2].is_null()) return variant::null();
    const double d1 = date_of(a[1]), d2 = date_of(a[2]);
    const date_parts p1 = parts_of(d1), p2 = parts_of(d2);
    const long long days = static_cast<long long>(day_of(d2) - day_of(d1));
    const long long shift = first_day - 7;  // serial 0 was a Saturday
    long long r = 0;
    switch (i) {
    case interval::year: r = p2.year - p1.year; break;
    case interval::quarter: r = (p2.year * 4 + (p2.month - 1) / 3) - (p1.year * 4 + (p1.month - 1) / 3); break;
    case interval::month: r = (p2.year * 12LL + p2.month) - (p1.year * 12LL + p1.month); break;
    case interval::day:
    case interval::day_of_year: r = days; break;
    case interval::week: r = days / 7; break;
    case interval::week_of_year:
        r = floor_div(static_cast<long long>(day_of(d2)) - shift, 7) -
            floor_div(static_cast<long long>(day_of(d1)) - shift, 7);
        break;
    case interval::hour: r = floor_div(total_seconds(d2), 3600) - floor_div(total_seconds(d1), 3600); break;
    case interval::minute: r = floor_div(total_seconds(d2), 60) - floor_div(total_seconds(d1), 60); break;
    case interval::second: r = total_seconds(d2) - total_seconds(d1); break;
    }
    return variant::long_integer(static_cast<double>(r));
}

variant Year(arguments a) { return part(a[0], &date_parts::year); }
variant Month(arguments a) { return part(a[0], &date_parts::month); }
variant Day(arguments a) { return part(a[0], &date_parts::day); }
variant Hour(arguments a) { return part(a[0], &date_parts::hour); }
variant Minute(arguments a) { return part(a[0], &date_parts::minute); }
variant Second(arguments a) { return part(a[0], &date_parts::second); }

// Weekday(date[, firstdayofweek]): 1 for the first day of the week (Sunday unless
// given), up to 7.
variant Weekday(arguments a) {
    const long long first = first_day_argument(a, 1);
    if (a[0].is_null()) return a[0];
    return variant::integer(static_cast<double>(day_in_week(parts_of(date_of(a[0])).weekday, first)));
}

// DatePart(interval, date[, firstdayofweek[, firstweekofyear]]): one part of the date
// as an Integer: "yyyy", "q", "m", "y" (day of the year), "d", "w" (day of the week),
// "ww" (week of the year), "h", "n", "s".
variant DatePart(arguments a) {
    const interval i = interval_of(a[0]);
    const long long first_day = first_day_argument(a, 2);
    const long long rule = week_rule_argument(a, 3);
    if (a[1].is_null()) return a[1];
    const double serial = date_of(a[1]);
    const date_parts p = parts_of(serial);
    switch (i) {
    case interval::year: return variant::integer(p.year);
    case interval::quarter: return variant::integer((p.month + 2) / 3);
    case interval::month: return variant::integer(p.month);
    case interval::day_of_year: return variant::integer(day_of(serial) - day_serial(p.year, 1, 1) + 1);
    case interval::day: return variant::integer(p.day);
    case interval::week: return variant::integer(day_in_week(p.weekday, first_day));
    case interval::week_of_year: return variant::integer(week_of_year(day_of(serial), p.year, first_day, rule));
    case interval::hour: return variant::integer(p.hour);
    case interval::minute: return variant::integer(p.minute);
    case interval::second: return variant::integer(p.second);
    }
    raise(err_invalid_call);
}

// DateValue(date) and TimeValue(time): the day, or the time of day, of a date or of
// text that reads as one.
variant DateValue(arguments a) {
    if (a[0].is_null()) return a[0];
    return variant::date(day_of(date_of(a[0])));
}

variant TimeValue(arguments a) {
    if (a[0].is_null()) return a[0];
    return variant::date(seconds_of(date_of(a[0])) / 86400);
}

}  // namespace vbscript::functions
