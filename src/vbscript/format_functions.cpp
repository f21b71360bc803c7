// FormatNumber, FormatCurrency, FormatPercent, FormatDateTime, MonthName and
// WeekdayName, in the conventions of the engine's locale (locale.h).
#include <algorithm>
#include <cmath>
#include <string>

#include "vbscript/currency.h"
#include "vbscript/dates.h"
#include "vbscript/errors.h"
#include "vbscript/functions.h"
#include "vbscript/limits.h"
#include "vbscript/locale.h"
#include "vbscript/number_text.h"

namespace vbscript::functions {

namespace {

// NumDigitsAfterDecimal: -1 (or left out) is the locale's; below -1 raises 5.
long long decimals_argument(arguments a) {
    if (!has(a, 1)) return zh_cn::decimals;
    const long long n = long_of(a[1]);
    if (n < -1) raise(err_invalid_call);
    return n == -1 ? zh_cn::decimals : n;
}

// A Tristate argument: vbTrue (-1), vbFalse (0) or vbUseDefault (-2, or left out).
bool tristate(arguments a, size_t i, bool locale_default) {
    if (!has(a, i)) return locale_default;
    const long long v = long_of(a[i]);
    return v == -2 ? locale_default : v != 0;
}

struct number_style {
    long long decimals;
    bool leading_zero, parens, group;
};

number_style style_of(arguments a) {
    return {decimals_argument(a), tristate(a, 2, true), tristate(a, 3, false), tristate(a, 4, true)};
}

// A number as its decimal digits (decimal_digits: d1 stands at the power `exponent`).
struct decimal_number {
    bool negative = false;
    decimal_digits d;
};

decimal_digits currency_digits(std::int64_t scaled) {
    const unsigned long long m =
        scaled < 0 ? 0ull - static_cast<unsigned long long>(scaled) : static_cast<unsigned long long>(scaled);
    if (m == 0) return {"0", 0};
    std::string digits = std::to_string(m);
    const int exponent = static_cast<int>(digits.size()) - 1 - 4;
    return {std::move(digits), exponent};
}

// The Expression argument times `factor`: Null and text that is no number raise 13.
// Doubles count with 15 significant digits, Singles with 7, Currency exactly.
decimal_number decimal_of(const variant& v, double factor) {
    if (v.is_null()) raise(err_type_mismatch);
    if (v.type == vt_currency && factor == 1) return {v.scaled < 0, currency_digits(v.scaled)};
    const double x = number_of(v) * factor;
    if (!std::isfinite(x)) raise(err_overflow);
    if (x == 0) return {false, {"0", 0}};
    return {x < 0, round_to_digits(std::fabs(x), v.type == vt_single ? 7 : 15)};
}

// Rounds half away from zero to `decimals` places; the digits may gain a place.
void round_to_places(decimal_digits& d, long long decimals) {
    const long long kept = d.exponent + decimals + 1;
    if (kept >= static_cast<long long>(d.digits.size())) return;
    if (kept < 0 || (kept == 0 && d.digits[0] < '5')) {
        d = {"0", 0};
        return;
    }
    const bool up = d.digits[static_cast<size_t>(kept)] >= '5';
    d.digits.resize(static_cast<size_t>(kept));
    for (size_t i = d.digits.size(); up && i-- > 0;) {
        if (d.digits[i] != '9') {
            ++d.digits[i];
            return;
        }
        d.digits[i] = '0';
    }
    if (up) {
        d.digits.insert(d.digits.begin(), '1');
        ++d.exponent;
    }
}

// The digit at the power p (0 beyond the digits).
char digit_at(const decimal_digits& d, long long p) {
    const long long i = d.exponent - p;
    return i >= 0 && i < static_cast<long long>(d.digits.size()) ? d.digits[static_cast<size_t>(i)] : '0';
}

// The magnitude as shown: rounded to the style's decimals, with its leading zero and
// group separators, and whether it shows as negative: whenever the value is, even
// rounded to nothing, as the locale's number formatting shows -0.001 as "-0.00".
struct shown {
    std::u16string amount;
    bool negative;
};

shown shown_amount(const decimal_number& n, const number_style& s, run_budget& budget) {
    budget.require_text(static_cast<size_t>(s.decimals) + 420);  // the integer part has at most 309 digits
    decimal_digits d = n.d;
    round_to_places(d, s.decimals);
    std::u16string out;
    for (long long p = std::max(d.exponent, 0); p >= 0; --p) {
        out += char16_t(digit_at(d, p));
        if (s.group && p > 0 && p % 3 == 0) out += zh_cn::group_separator;
    }
    if (out == u"0" && !s.leading_zero && s.decimals > 0) out.clear();
    if (s.decimals > 0) out += u'.';
    for (long long p = -1; p >= -s.decimals; --p) out += char16_t(digit_at(d, p));
    return {std::move(out), n.negative};
}

}  // namespace

// FormatNumber(Expression[, NumDigitsAfterDecimal[, IncludeLeadingDigit[,
// UseParensForNegativeNumbers[, GroupDigits]]]]): halves round away from zero;
// "-1,234.50" or "(1,234.50)".
variant FormatNumber(arguments a) {
    const number_style s = style_of(a);
    const shown r = shown_amount(decimal_of(a[0], 1), s, a.budget());
    if (!r.negative) return a.budget().text(r.amount);
    return a.budget().text(s.parens ? u"(" + r.amount + u")" : u"-" + r.amount);
}

// FormatCurrency(...): "¥1,234.50", negative "¥-1,234.50" or "(¥1,234.50)".
variant FormatCurrency(arguments a) {
    const number_style s = style_of(a);
    const shown r = shown_amount(decimal_of(a[0], 1), s, a.budget());
    const std::u16string symbol(zh_cn::currency_symbol);
    if (!r.negative) return a.budget().text(symbol + r.amount);
    return a.budget().text(s.parens ? u"(" + symbol + r.amount + u")" : symbol + u"-" + r.amount);
}

// FormatPercent(...): the value times 100 with "%": "-12.50%" or "(12.50%)".
variant FormatPercent(arguments a) {
    const number_style s = style_of(a);
    const shown r = shown_amount(decimal_of(a[0], 100), s, a.budget());
    if (!r.negative) return a.budget().text(r.amount + u"%");
    return a.budget().text(s.parens ? u"(" + r.amount + u"%)" : u"-" + r.amount + u"%");
}

namespace {

std::u16string long_date(const date_parts& p) {
    std::u16string out;
    append_number(out, p.year);
    out += u'年';
    append_number(out, p.month);
    out += u'月';
    append_number(out, p.day);
    out += u'日';
    return out;
}

std::u16string time_text(const date_parts& p, bool seconds, int hour_width) {
    std::u16string out;
    append_time(out, p, seconds, hour_width);
    return out;
}

}  // namespace

// FormatDateTime(Date[, NamedFormat]): vbGeneralDate (0) as CStr shows a date,
// vbLongDate "2020年1月2日", vbShortDate "2020/1/2", vbLongTime "13:04:05",
// vbShortTime "13:04" (24 hours, two digits).
variant FormatDateTime(arguments a) {
    if (a[0].is_null()) raise(err_type_mismatch);
    const long long format = has(a, 1) ? long_of(a[1]) : 0;
    if (format < 0 || format > 4) raise(err_invalid_call);
    const double serial = date_of(a[0]);
    const date_parts p = parts_of(serial);
    switch (format) {
    case 1: return a.budget().text(long_date(p));
    case 2: return a.budget().text(date_to_text(day_of(serial)));
    case 3: return a.budget().text(time_text(p, true, 1));
    case 4: return a.budget().text(time_text(p, false, 2));
    default: return a.budget().text(date_to_text(serial));
    }
}

// MonthName(month[, abbreviate]): "一月" ... "十二月", abbreviated "1月" ... "12月".
variant MonthName(arguments a) {
    if (a[0].is_null() || (has(a, 1) && a[1].is_null())) raise(err_invalid_use_of_null);
    const long long month = long_of(a[0]);
    if (month < 1 || month > 12) raise(err_invalid_call);
    const bool abbreviate = has(a, 1) && truth_of(a[1]);
    const size_t i = static_cast<size_t>(month - 1);
    return a.budget().text(std::u16string(abbreviate ? zh_cn::month_abbreviations[i] : zh_cn::month_names[i]));
}

// WeekdayName(weekday[, abbreviate[, firstdayofweek]]): the name of the weekday-th
// day of a week that starts on firstdayofweek (Sunday unless given; 0 the locale's).
variant WeekdayName(arguments a) {
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].is_null()) raise(err_invalid_use_of_null);
    const long long weekday = long_of(a[0]);
    const bool abbreviate = has(a, 1) && truth_of(a[1]);
    const long long first = first_day_argument(a, 2);
    if (weekday < 1 || weekday > 7) raise(err_invalid_call);
    const size_t i = static_cast<size_t>((weekday - 1 + first - 1) % 7);
    return a.budget().text(std::u16string(abbreviate ? zh_cn::day_abbreviations[i] : zh_cn::day_names[i]));
}

}  // namespace vbscript::functions
