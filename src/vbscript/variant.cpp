#include "vbscript/variant.h"

#include "vbscript/characters.h"
#include "vbscript/dates.h"
#include "vbscript/errors.h"
#include "vbscript/number_text.h"
#include "vbscript/rounding.h"

namespace vbscript {

namespace {

bool is_blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// "&H" or "&O" and nothing but digits.
std::optional<double> parse_radix(std::u16string_view s) {
    if (s.size() < 2) return std::nullopt;
    const char16_t r = ascii_lower(s[1]);
    const int base = r == u'h' ? 16 : r == u'o' ? 8 : 0;
    if (!base) return std::nullopt;
    const radix_digits d = read_radix_digits(s.substr(2), base);
    if (d.overflow || d.count == 0 || d.count != s.size() - 2) return std::nullopt;
    return radix_value(d.value);
}

}  // namespace

radix_digits read_radix_digits(std::u16string_view text, int base) {
    radix_digits d;
    for (; d.count < text.size(); ++d.count) {
        const int digit = digit_value(text[d.count], base);
        if (digit < 0) break;
        d.value = d.value * base + digit;
        if (d.value > 0xFFFFFFFFull) {
            d.overflow = true;
            break;
        }
    }
    return d;
}

double radix_value(unsigned long long v) {
    if (v <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(v));
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
}

std::optional<double> parse_number_text(std::u16string_view s) {
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    if (!s.empty() && s[0] == u'&') return parse_radix(s);
    std::string ascii;
    bool digits = false;
    for (size_t i = 0; i < s.size(); ++i) {
        char16_t c = s[i];
        if (is_ascii_digit(c)) digits = true;
        else if (c == u',' && digits && i + 1 < s.size() && is_ascii_digit(s[i + 1])) continue;
        else if (c == u'd' || c == u'D') c = u'e';
        else if (c != u'.' && c != u'e' && c != u'E' && c != u'+' && c != u'-') return std::nullopt;
        ascii += static_cast<char>(c);
    }
    if (!digits) return std::nullopt;
    std::string_view digits_text = ascii;
    if (digits_text.front() == '+') digits_text.remove_prefix(1);
    const decimal_reading r = read_decimal(digits_text);
    if (r.status != decimal_reading::ok) return std::nullopt;
    return r.value;
}

std::u16string_view type_name(const variant& v) {
    switch (v.type) {
    case vt_empty: return u"Empty";
    case vt_null: return u"Null";
    case vt_integer: return u"Integer";
    case vt_long: return u"Long";
    case vt_single: return u"Single";
    case vt_double: return u"Double";
    case vt_date: return u"Date";
    case vt_string: return u"String";
    case vt_object: return u"Nothing";
    case vt_boolean: return u"Boolean";
    case vt_byte: return u"Byte";
    }
    return u"Variant";
}

std::optional<double> to_number(const variant& v) {
    if (v.is_string()) return parse_number_text(v.text);
    if (v.is_null() || v.is_object()) return std::nullopt;
    return v.number;
}

double number_of(const variant& v) {
    if (v.is_null()) raise(err_invalid_use_of_null);
    auto n = to_number(v);
    if (!n) raise(err_type_mismatch);
    return *n;
}

std::u16string text_of(const variant& v) {
    switch (v.type) {
    case vt_empty: return {};
    case vt_null: raise(err_invalid_use_of_null);
    case vt_boolean: return v.number ? u"True" : u"False";
    case vt_single: return single_to_text(static_cast<float>(v.number));
    case vt_date: return date_to_text(v.number);
    case vt_string: return v.text;
    case vt_object: raise(err_type_mismatch);
    default: return number_to_text(v.number);
    }
}

double whole_number_in(const variant& v, double low, double high) {
    double n = round_half_even(number_of(v));
    if (!(n >= low && n <= high)) raise(err_overflow);
    return n;
}

std::int32_t long_of(const variant& v) {
    return static_cast<std::int32_t>(whole_number_in(v, -2147483648.0, 2147483647.0));
}

}  // namespace vbscript
