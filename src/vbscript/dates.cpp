#include "vbscript/dates.h"

#include <array>
#include <chrono>
#include <cmath>
#include <ctime>
#include <vector>

#include "vbscript/characters.h"

namespace vbscript {

namespace {

constexpr double seconds_per_day = 86400;
constexpr long long day_zero = -25569;  // 1899-12-30 counted from 1970-01-01

// Days since 1970-01-01 of a proleptic Gregorian date (after H. Hinnant's algorithm).
long long days_from_civil(long long y, long long m, long long d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civil_from_days(long long z, date_parts& p) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    p.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    p.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    p.year = static_cast<int>(yoe + era * 400 + (p.month <= 2));
}

}  // namespace

void append_number(std::u16string& out, int n, int width) {
    const std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()); i < width; ++i) out += u'0';
    for (char c : digits) out += char16_t(c);
}

void append_time(std::u16string& out, const date_parts& p, bool seconds, int hour_width) {
    append_number(out, p.hour, hour_width);
    out += u':';
    append_number(out, p.minute, 2);
    if (seconds) {
        out += u':';
        append_number(out, p.second, 2);
    }
}

bool in_date_range(double serial) { return serial >= min_date_serial && serial < max_date_serial; }

double day_serial(long long year, long long month, long long day) {
    long long months = year * 12 + (month - 1);
    long long y = months >= 0 ? months / 12 : -((-months + 11) / 12);
    long long m = months - y * 12 + 1;
    return static_cast<double>(days_from_civil(y, m, 1) - day_zero + (day - 1));
}

double serial_from(double day, double seconds) {
    double carry = std::floor(seconds / seconds_per_day);
    day += carry;
    double fraction = (seconds - carry * seconds_per_day) / seconds_per_day;
    return day >= 0 ? day + fraction : day - fraction;
}

double day_of(double serial) {
    double day = std::trunc(serial);
    double fraction = std::fabs(serial - day);
    if (std::round(fraction * seconds_per_day) >= seconds_per_day) day += 1;
    return day;
}

double seconds_of(double serial) {
    double fraction = std::fabs(serial - std::trunc(serial));
    double s = std::round(fraction * seconds_per_day);
    return s >= seconds_per_day ? 0 : s;
}

date_parts parts_of(double serial) {
    date_parts p;
    const long long day = static_cast<long long>(day_of(serial));
    civil_from_days(day + day_zero, p);
    const int s = static_cast<int>(seconds_of(serial));
    p.hour = s / 3600;
    p.minute = s / 60 % 60;
    p.second = s % 60;
    // 1899-12-30 was a Saturday.
    p.weekday = static_cast<int>(((day % 7) + 7 + 6) % 7) + 1;
    return p;
}

std::u16string date_to_text(double serial) {
    const date_parts p = parts_of(serial);
    const bool has_day = day_of(serial) != 0;
    const bool has_time = seconds_of(serial) != 0;
    std::u16string out;
    if (has_day || !has_time) {
        append_number(out, p.year);
        out += u'/';
        append_number(out, p.month);
        out += u'/';
        append_number(out, p.day);
    }
    if (has_time) {
        if (!out.empty()) out += u' ';
        append_time(out, p, true, 1);
    }
    return out;
}

namespace {

// The clock now, as local calendar time and the fraction of its current second.
struct local_now {
    std::tm local{};
    double into_second = 0;
};

local_now read_clock() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    local_now n;
    localtime_r(&t, &n.local);
    n.into_second = std::chrono::duration<double>(now - std::chrono::system_clock::from_time_t(t)).count();
    return n;
}

double whole_seconds_into_day(const std::tm& local) {
    return local.tm_hour * 3600.0 + local.tm_min * 60 + local.tm_sec;
}

}  // namespace

double now_serial() {
    const std::tm local = read_clock().local;
    const double day = day_serial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return serial_from(day, whole_seconds_into_day(local));
}

double seconds_since_midnight() {
    const local_now n = read_clock();
    return whole_seconds_into_day(n.local) + n.into_second;
}

// ---- reading dates written as text ----

namespace {

enum class piece_kind { number, month_name, am, pm };

struct piece {
    piece_kind kind;
    int value = 0;
    int digits = 0;
    char16_t separator = 0;  // the separator that follows the piece, 0 for none or blank
};

constexpr std::array<std::u16string_view, 12> month_names{u"january",   u"february", u"march",    u"april",
                                                          u"may",       u"june",     u"july",     u"august",
                                                          u"september", u"october",  u"november", u"december"};

// AM or PM (or A, P), or a month name cut to three letters or more.
std::optional<piece> word_piece(std::u16string_view word) {
    if (same_ignoring_case(word, u"am") || same_ignoring_case(word, u"a")) return piece{piece_kind::am};
    if (same_ignoring_case(word, u"pm") || same_ignoring_case(word, u"p")) return piece{piece_kind::pm};
    if (word.size() < 3) return std::nullopt;
    for (size_t i = 0; i < month_names.size(); ++i) {
        const std::u16string_view month = month_names[i];
        if (word.size() <= month.size() && same_ignoring_case(month.substr(0, word.size()), word))
            return piece{piece_kind::month_name, static_cast<int>(i + 1)};
    }
    return std::nullopt;
}

// Splits the text into numbers, month names and AM/PM, noting each one's separator.
std::optional<std::vector<piece>> split_pieces(std::u16string_view s) {
    std::vector<piece> out;
    size_t i = 0;
    while (i < s.size()) {
        char16_t c = s[i];
        // The ideographic space U+3000 separates as a space does. Windows' published
        // expectations take it between a date and its time and leave other places open;
        // here it may stand wherever a space may.
        if (c == u' ' || c == u'\t' || c == u',' || c == u'\u3000') {
            ++i;
            continue;
        }
        // The long date of the Chinese locale, 2020年1月2日, reads as 2020/1/2.
        if (c == u'年' || c == u'月') c = u'/';
        if (c == u'日' && !out.empty() && !out.back().separator) {
            ++i;
            continue;
        }
        if (c == u'/' || c == u'-' || c == u':' || c == u'.') {
            if (out.empty() || out.back().separator) return std::nullopt;
            out.back().separator = c;
            ++i;
            continue;
        }
        size_t j = i;
        if (is_ascii_digit(c)) {
            long long v = 0;
            while (j < s.size() && is_ascii_digit(s[j]) && j - i < 9) v = v * 10 + (s[j++] - u'0');
            if (j < s.size() && is_ascii_digit(s[j])) return std::nullopt;
            out.push_back({piece_kind::number, static_cast<int>(v), static_cast<int>(j - i)});
        } else if (is_ascii_letter(c)) {
            while (j < s.size() && (is_ascii_letter(s[j]) || s[j] == u'.')) ++j;
            auto w = word_piece(s.substr(i, j - i));
            if (!w) return std::nullopt;
            out.push_back(*w);
        } else {
            return std::nullopt;
        }
        i = j;
    }
    return out;
}

int full_year(const piece& p) {
    if (p.digits <= 2) return p.value < 30 ? 2000 + p.value : 1900 + p.value;
    return p.value;
}

int days_in_month(int y, int m) { return static_cast<int>(day_serial(y, m + 1, 1) - day_serial(y, m, 1)); }

std::optional<double> checked_day(int y, int m, int d) {
    if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1 || d > days_in_month(y, m)) return std::nullopt;
    return day_serial(y, m, d);
}

int current_year() { return parts_of(now_serial()).year; }

// Numeric date pieces: m/d/y, y/m/d when the first is a year, d/m/y when m/d/y cannot
// be, and m/d of the current year.
std::optional<double> numeric_day(const std::vector<piece>& p) {
    if (p.size() == 2) {
        const int year = current_year();
        auto d = checked_day(year, p[0].value, p[1].value);
        return d ? d : checked_day(year, p[1].value, p[0].value);
    }
    if (p[0].digits >= 3 || p[0].value > 31) return checked_day(full_year(p[0]), p[1].value, p[2].value);
    auto d = checked_day(full_year(p[2]), p[0].value, p[1].value);
    return d ? d : checked_day(full_year(p[2]), p[1].value, p[0].value);
}

// Date pieces with a month name: "Jan 2, 2020", "2 Jan 2020", "Jan 2020".
std::optional<double> named_day(const std::vector<piece>& p) {
    size_t at = 0;
    while (p[at].kind != piece_kind::month_name) ++at;
    std::vector<piece> rest;
    for (size_t i = 0; i < p.size(); ++i)
        if (i != at) rest.push_back(p[i]);
    const int m = p[at].value;
    if (rest.size() == 1) {
        if (rest[0].value > 31 || rest[0].digits >= 3) return checked_day(full_year(rest[0]), m, 1);
        return checked_day(current_year(), m, rest[0].value);
    }
    if (rest.size() != 2) return std::nullopt;
    if (rest[0].digits >= 3) return checked_day(full_year(rest[0]), m, rest[1].value);
    return checked_day(full_year(rest[1]), m, rest[0].value);
}

std::optional<double> time_seconds(const std::vector<piece>& p) {
    if (p.empty() || p.size() > 4) return std::nullopt;
    int meridiem = 0;
    std::vector<piece> nums(p);
    if (nums.back().kind == piece_kind::am || nums.back().kind == piece_kind::pm) {
        meridiem = nums.back().kind == piece_kind::am ? 1 : 2;
        nums.pop_back();
    }
    if (nums.empty() || nums.size() > 3) return std::nullopt;
    int hms[3] = {0, 0, 0};
    for (size_t i = 0; i < nums.size(); ++i) {
        if (nums[i].kind != piece_kind::number) return std::nullopt;
        hms[i] = nums[i].value;
    }
    if (meridiem && (hms[0] < 1 || hms[0] > 12)) return std::nullopt;
    if (meridiem == 1 && hms[0] == 12) hms[0] = 0;
    if (meridiem == 2 && hms[0] != 12) hms[0] += 12;
    if (hms[0] > 23 || hms[1] > 59 || hms[2] > 59) return std::nullopt;
    if (nums.size() == 1 && !meridiem) return std::nullopt;
    return hms[0] * 3600.0 + hms[1] * 60 + hms[2];
}

// Where the time begins: the first number followed by ":", or a lone hour with AM/PM.
size_t time_start(const std::vector<piece>& p) {
    for (size_t i = 0; i < p.size(); ++i) {
        if (p[i].separator == u':') return i;
        if (p[i].kind == piece_kind::am || p[i].kind == piece_kind::pm) return i == 0 ? 0 : i - 1;
    }
    return p.size();
}

std::optional<double> day_from(const std::vector<piece>& p) {
    if (p.empty()) return 0.0;
    bool named = false;
    for (const piece& x : p) {
        if (x.kind == piece_kind::month_name) {
            if (named) return std::nullopt;
            named = true;
        } else if (x.kind != piece_kind::number) {
            return std::nullopt;
        }
    }
    if (named) return p.size() >= 2 ? named_day(p) : std::nullopt;
    if (p.size() < 2 || p.size() > 3) return std::nullopt;
    for (size_t i = 0; i + 1 < p.size(); ++i)
        if (p[i].separator != u'/' && p[i].separator != u'-' && p[i].separator != u'.') return std::nullopt;
    return numeric_day(p);
}

}  // namespace

std::optional<double> parse_date_text(std::u16string_view text) {
    auto pieces = split_pieces(text);
    if (!pieces || pieces->empty()) return std::nullopt;
    const size_t t = time_start(*pieces);
    std::vector<piece> date_part(pieces->begin(), pieces->begin() + static_cast<long>(t));
    std::vector<piece> time_part(pieces->begin() + static_cast<long>(t), pieces->end());
    if (!date_part.empty()) date_part.back().separator = 0;
    auto day = day_from(date_part);
    if (!day) return std::nullopt;
    double seconds = 0;
    if (!time_part.empty()) {
        auto s = time_seconds(time_part);
        if (!s) return std::nullopt;
        seconds = *s;
    }
    return serial_from(*day, seconds);
}

}  // namespace vbscript
