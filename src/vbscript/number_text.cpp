#include "vbscript/number_text.h"

#include <cfloat>
#include <charconv>
#include <cmath>

namespace vbscript {

decimal_digits round_to_digits(double magnitude, int significant) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, significant - 1);
    std::string_view s(buf, res.ptr - buf);
    auto e = s.find('e');
    decimal_digits out;
    for (char c : s.substr(0, e))
        if (c != '.') out.digits += c;
    while (out.digits.size() > 1 && out.digits.back() == '0') out.digits.pop_back();
    std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), out.exponent);
    return out;
}

namespace {

std::u16string fixed_form(const decimal_digits& d) {
    std::u16string out;
    const int n = static_cast<int>(d.digits.size());
    if (d.exponent < 0) {
        out = u"0.";
        out.append(static_cast<size_t>(-d.exponent - 1), u'0');
        out.append(d.digits.begin(), d.digits.end());
        return out;
    }
    for (int i = 0; i <= d.exponent; ++i) out += i < n ? char16_t(d.digits[i]) : u'0';
    if (n > d.exponent + 1) {
        out += u'.';
        out.append(d.digits.begin() + d.exponent + 1, d.digits.end());
    }
    return out;
}

std::u16string exponent_form(const decimal_digits& d) {
    std::u16string out(1, char16_t(d.digits[0]));
    if (d.digits.size() > 1) {
        out += u'.';
        out.append(d.digits.begin() + 1, d.digits.end());
    }
    out += d.exponent < 0 ? u"E-" : u"E+";
    int e = std::abs(d.exponent);
    if (e < 10) out += u'0';
    for (char c : std::to_string(e)) out += char16_t(c);
    return out;
}

std::u16string to_text(double value, int significant) {
    if (value == 0 || std::isnan(value)) return u"0";
    if (std::isinf(value)) return value < 0 ? u"-1.#INF" : u"1.#INF";
    decimal_digits d = round_to_digits(std::fabs(value), significant);
    const int last_place = static_cast<int>(d.digits.size()) - 1 - d.exponent;
    const bool fixed = d.exponent < significant && last_place <= significant;
    std::u16string out = value < 0 ? u"-" : u"";
    return out + (fixed ? fixed_form(d) : exponent_form(d));
}

}  // namespace

std::u16string number_to_text(double value) { return to_text(value, 15); }

std::u16string single_to_text(float value) { return to_text(static_cast<double>(value), 7); }

decimal_reading read_decimal(std::string_view ascii) {
    const char* end = ascii.data() + ascii.size();
    double v = 0;
    auto res = std::from_chars(ascii.data(), end, v);
    if (res.ptr != end || (res.ec != std::errc() && res.ec != std::errc::result_out_of_range))
        return {decimal_reading::malformed};
    if (res.ec == std::errc()) return {decimal_reading::ok, v};
    // Out of range, or a denormal: a long double, whose range is wider, tells which.
    long double wide = 0;
    if (std::from_chars(ascii.data(), end, wide).ec == std::errc()) {
        const long double largest_text = 1.79769313486232e308L;
        if (std::fabs(wide) < 1) return {decimal_reading::ok, static_cast<double>(wide)};
        if (std::fabs(wide) <= largest_text)
            return {decimal_reading::ok, std::copysign(DBL_MAX, static_cast<double>(wide))};
        return {decimal_reading::overflow};
    }
    // Beyond even that range: tiny if the digits start after the point or the
    // exponent is negative.
    const auto first_digit = ascii.find_first_of("123456789");
    const auto point = ascii.find('.');
    const bool tiny =
        ascii.find("e-") != std::string_view::npos || (point != std::string_view::npos && first_digit > point);
    if (tiny) return {decimal_reading::ok, 0.0};
    return {decimal_reading::overflow};
}

}  // namespace vbscript
