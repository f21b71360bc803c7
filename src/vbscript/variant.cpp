#include "vbscript/variant.h"

#include <algorithm>

#include "common/rounding.h"
#include "vbscript/characters.h"
#include "vbscript/currency.h"
#include "vbscript/dates.h"
#include "vbscript/errors.h"
#include "vbscript/number_reading.h"
#include "vbscript/number_text.h"

namespace vbscript {

namespace {

// Empty, Boolean, Byte, Integer, Long, Single, Double and Date: the subtypes whose
// number is their value, tested in one step.
bool holds_number(const variant& v) {
    constexpr std::uint32_t subtypes = 1u << vt_empty | 1u << vt_integer | 1u << vt_long | 1u << vt_single |
                                       1u << vt_double | 1u << vt_date | 1u << vt_boolean | 1u << vt_byte;
    return v.type < 32 && (subtypes >> v.type & 1u);
}

// "&H" or "&O" and nothing but digits.
std::optional<double> parse_radix(std::u16string_view s) {
    if (s.size() < 2) return std::nullopt;
    const int base = radix_base(s[1]);
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
    const auto blank = [](char16_t c) { return is_number_blank(c); };
    const auto first = std::find_if_not(s.begin(), s.end(), blank);
    if (first != s.end() && *first == u'&') {
        const auto last = std::find_if_not(s.rbegin(), s.rend(), blank).base();
        return parse_radix(std::u16string_view(&*first, static_cast<size_t>(last - first)));
    }
    const std::optional<decimal_number> n = read_decimal_number(s);
    if (!n) return std::nullopt;
    // The number lies below 10^order; far outside the Double range its digits matter not.
    const long long order = n->exponent + static_cast<long long>(n->digits.size());
    if (n->digits.empty() || order < -400) return 0.0;
    if (order > 400) return std::nullopt;
    std::string ascii = n->negative ? "-" : "";
    ascii += n->digits;
    ascii += 'e';
    ascii += std::to_string(n->exponent);
    const decimal_reading r = read_decimal(ascii);
    if (r.status != decimal_reading::ok) return std::nullopt;
    return r.value;
}

std::optional<bool> parse_boolean_text(std::u16string_view s) {
    s = trim_blanks(s);
    if (same_ignoring_case(s, u"true") || s == u"#TRUE#") return true;
    if (same_ignoring_case(s, u"false") || s == u"#FALSE#") return false;
    return std::nullopt;
}

std::u16string_view type_name(const variant& v) {
    switch (v.type) {
    case vt_empty: return u"Empty";
    case vt_null: return u"Null";
    case vt_integer: return u"Integer";
    case vt_long: return u"Long";
    case vt_single: return u"Single";
    case vt_double: return u"Double";
    case vt_currency: return u"Currency";
    case vt_date: return u"Date";
    case vt_string: return u"String";
    case vt_object: return v.is_nothing() ? u"Nothing" : u"Object";
    case vt_error: return u"Error";
    case vt_boolean: return u"Boolean";
    case vt_byte: return u"Byte";
    case vt_array: return u"Variant()";
    }
    return u"Variant";
}

variant plain_value(const variant& v) {
    if (v.is_nothing()) raise(err_object_not_set);
    if (v.is_object()) return variant::long_integer(0);  // Err.Number: no error is pending
    if (v.is_array() || v.is_missing()) raise(err_type_mismatch);
    return v;
}

std::optional<double> to_number(const variant& v) {
    if (v.is_string()) return parse_number_text(v.text);
    if (v.type == vt_currency) return static_cast<double>(v.scaled) / 10000;
    if (v.is_null() || v.is_reference() || v.is_missing()) {
        if (v.is_object() && !v.is_nothing()) return 0.0;  // Err.Number
        return std::nullopt;
    }
    return v.number;
}

bool truth_of(const variant& v) {
    if (v.is_string())
        if (auto b = parse_boolean_text(v.text)) return *b;
    return number_of(v) != 0;
}

double number_of(const variant& v) {
    if (holds_number(v)) return v.number;
    if (v.is_null()) raise(err_invalid_use_of_null);
    if (v.is_nothing()) raise(err_object_not_set);
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
    case vt_currency: return currency_to_text(v.scaled);
    case vt_date: return date_to_text(v.number);
    case vt_string: return v.odd_byte ? v.text.substr(0, v.text.size() - 1) : v.text;
    case vt_object:
    case vt_array:
    case vt_error: return text_of(plain_value(v));
    default: return number_to_text(v.number);
    }
}

double whole_number_in(const variant& v, double low, double high) {
    double n = common::round_half_even(number_of(v));
    if (!(n >= low && n <= high)) raise(err_overflow);
    return n;
}

std::int32_t long_of(const variant& v) {
    return static_cast<std::int32_t>(whole_number_in(v, -2147483648.0, 2147483647.0));
}

}  // namespace vbscript
