// The VBScript Variant: a subtype tag with its value. Every number-like subtype keeps
// its value in one double (Byte, Integer, Long and Boolean values are exact there, a
// Single holds a float's value, a Date its serial number); a String keeps its text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vbscript {

// The numbers are VBScript's VarType values.
enum var_type : std::uint16_t {
    vt_empty = 0,
    vt_null = 1,
    vt_integer = 2,
    vt_long = 3,
    vt_single = 4,
    vt_double = 5,
    vt_date = 7,
    vt_string = 8,
    vt_object = 9,
    vt_boolean = 11,
    vt_byte = 17,
};

struct variant {
    var_type type = vt_empty;
    double number = 0;
    std::u16string text;

    static variant empty() { return {}; }
    static variant null() { return {vt_null, 0, {}}; }
    static variant nothing() { return {vt_object, 0, {}}; }
    static variant boolean(bool b) { return {vt_boolean, b ? -1.0 : 0.0, {}}; }
    static variant byte(double v) { return {vt_byte, v, {}}; }
    static variant integer(double v) { return {vt_integer, v, {}}; }
    static variant long_integer(double v) { return {vt_long, v, {}}; }
    static variant single(double v) { return {vt_single, static_cast<double>(static_cast<float>(v)), {}}; }
    static variant real(double v) { return {vt_double, v, {}}; }
    static variant date(double serial) { return {vt_date, serial, {}}; }
    static variant string(std::u16string s) { return {vt_string, 0, std::move(s)}; }

    bool is_null() const { return type == vt_null; }
    bool is_string() const { return type == vt_string; }
    bool is_object() const { return type == vt_object; }
    // Empty, Boolean, Byte, Integer, Long, Single, Double and Date.
    bool is_numeric() const {
        return type != vt_null && type != vt_string && type != vt_object;
    }
};

// VBScript's TypeName of the subtype ("Double", "Empty", "Nothing", ...).
std::u16string_view type_name(const variant& v);

// The value as a double under the standard variant conversion: numbers, Booleans
// (-1/0), Empty (0), Dates (serial) and numeric text; nothing for Null, objects and
// text that is no number.
std::optional<double> to_number(const variant& v);

// Text that reads as a number: blanks around it, a sign, digits with an optional
// fraction and exponent (E or D), or &H / &O integers. "." is always the decimal
// separator, whatever the user's regional settings.
std::optional<double> parse_number_text(std::u16string_view s);

// The value as a double, for arithmetic: Null raises 94, objects and non-numeric text
// raise 13.
double number_of(const variant& v);

// The text of a value, as CStr gives it; Null raises 94.
std::u16string text_of(const variant& v);

// The digits of an &H (base 16) or &O (base 8) number at the start of `text`, read up
// to the first other character; reading stops early, with `overflow` set, once the
// value no longer fits 32 bits.
struct radix_digits {
    unsigned long long value = 0;
    std::size_t count = 0;
    bool overflow = false;
};
radix_digits read_radix_digits(std::u16string_view text, int base);

// The value of an &H or &O integer of at most 32 bits, typed as VBScript types such
// literals: up to 16 bits an Integer (so &HFFFF is -1), else a Long.
double radix_value(unsigned long long v);

// The value rounded to a whole number within [low, high]; outside raises 6.
double whole_number_in(const variant& v, double low, double high);

// The value as a Long (rounded half to even); outside the Long range raises 6.
std::int32_t long_of(const variant& v);

}  // namespace vbscript
