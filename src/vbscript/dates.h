// Dates as VBScript keeps them: a serial number of days since 30 December 1899, the
// time of day as the fraction. Before that day the serial is negative and the fraction
// still counts forward from midnight: -1.25 is 29 December 1899, 06:00.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vbscript {

// The range of a Date: 1 January 100 to 31 December 9999.
inline constexpr double min_date_serial = -657434;
inline constexpr double max_date_serial = 2958466;  // exclusive: the end of 9999-12-31

struct date_parts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
    int weekday = 7;  // 1 = Sunday ... 7 = Saturday
};

bool in_date_range(double serial);

// The serial of a calendar day; months and days beyond their range carry over
// (month 13 is January of the next year, day 0 the last day of the month before).
double day_serial(long long year, long long month, long long day);

// A day serial plus a time of day in seconds (any sign; it carries into the days).
double serial_from(double day, double seconds);

// The calendar parts of a serial, rounded to the second.
date_parts parts_of(double serial);

// The whole days of a serial (the calendar day) and the seconds into that day.
double day_of(double serial);
double seconds_of(double serial);

// Appends n in decimal, with leading zeros up to `width` digits.
void append_number(std::u16string& out, int n, int width = 1);

// Appends the time of day in 24 hours: "13:04:05", or "13:04" without seconds; the
// hour with leading zeros up to hour_width digits.
void append_time(std::u16string& out, const date_parts& p, bool seconds, int hour_width);

// The text of a Date in the short Chinese form: "2020/1/2 13:04:05"; the date alone
// when there is no time, the time alone on day 0.
std::u16string date_to_text(double serial);

// A date and/or time written as text: "1/2/2020", "2020-01-02", "January 2, 2020",
// "2020年1月2日", "13:04", "1:04:05 PM", "2020/1/2 13:04". Numeric dates read month first, as
// VBScript's date literals do, unless that cannot be a date.
std::optional<double> parse_date_text(std::u16string_view text);

// The current local date and time.
double now_serial();

// The local time of day in seconds, with their fraction.
double seconds_since_midnight();

}  // namespace vbscript
