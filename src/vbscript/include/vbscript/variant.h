// The VBScript Variant: a subtype tag with its value. Every number-like subtype but
// Currency keeps its value in one double (Byte, Integer, Long and Boolean values are
// exact there, a Single holds a float's value, a Date its serial number); a Currency
// keeps a count of ten-thousandths, a String its text, an array its elements.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vbscript {

// The numbers are VBScript's VarType values.
enum var_type : std::uint16_t {
    vt_empty = 0,
    vt_null = 1,
    vt_integer = 2,
    vt_long = 3,
    vt_single = 4,
    vt_double = 5,
    vt_currency = 6,
    vt_date = 7,
    vt_string = 8,
    vt_object = 9,
    vt_error = 10,  // only an omitted argument, which never leaves the call it is given to
    vt_boolean = 11,
    vt_byte = 17,
    vt_array = 8204,  // vbArray + vbVariant: what Array, Split and Filter make
};

// The objects an expression can reach; an object's number says which.
inline constexpr double object_nothing = 0;
inline constexpr double object_err = 1;

struct array_data;
using array_elements = std::vector<struct variant>;

struct variant {
    var_type type = vt_empty;
    // A String whose byte count is odd (ChrB, MidB, ...): its last code unit holds one
    // byte only, in its low half.
    bool odd_byte = false;
    // One word for the value, so that a variant stays as small as a number and a text:
    // a Currency keeps its exact value, an array its counted elements; every other
    // subtype its number. Read a Currency or an array only through its own member
    // (number_of and to_number do).
    union {
        double number = 0;
        std::int64_t scaled;  // a Currency: its value times 10000
        array_data* array;    // an array: elements indexed from 0, shared by its copies
    };
    std::u16string text;

    variant() = default;
    variant(var_type t, double n) : type(t), number(n) {}
    variant(const variant& o);
    variant(variant&& o) noexcept;
    variant& operator=(const variant& o);
    variant& operator=(variant&& o) noexcept;
    ~variant() { release(); }

    // A value of a subtype that keeps no text.
    static variant of(var_type t, double number) { return variant(t, number); }
    static variant empty() { return {}; }
    static variant null() { return of(vt_null, 0); }
    static variant nothing() { return of(vt_object, object_nothing); }
    static variant boolean(bool b) { return of(vt_boolean, b ? -1.0 : 0.0); }
    static variant byte(double v) { return of(vt_byte, v); }
    static variant integer(double v) { return of(vt_integer, v); }
    static variant long_integer(double v) { return of(vt_long, v); }
    static variant single(double v) { return of(vt_single, static_cast<double>(static_cast<float>(v))); }
    static variant real(double v) { return of(vt_double, v); }
    static variant date(double serial) { return of(vt_date, serial); }
    // Inside an evaluation the engine makes and copies texts through its budget
    // (limits.h), which counts them; this and the copy count nothing.
    static variant string(std::u16string s) {
        variant v;
        v.type = vt_string;
        v.text = std::move(s);
        return v;
    }
    static variant currency(std::int64_t scaled) {
        variant v;
        v.type = vt_currency;
        v.scaled = scaled;
        return v;
    }
    static variant make_array(array_elements items);

    bool is_null() const { return type == vt_null; }
    bool is_string() const { return type == vt_string; }
    bool is_object() const { return type == vt_object; }
    bool is_nothing() const { return type == vt_object && number == object_nothing; }
    bool is_array() const { return type == vt_array; }
    bool is_missing() const { return type == vt_error; }
    // Empty, Boolean, Byte, Integer, Long, Single, Double, Currency and Date.
    bool is_numeric() const {
        return type != vt_null && type != vt_string && type != vt_object && type != vt_array && type != vt_error;
    }
    // An object or an array, which operators take only through their value.
    bool is_reference() const { return type == vt_object || type == vt_array; }
    const array_elements& items() const;

private:
    void take_word(const variant& o) { scaled = o.scaled; }
    void release();
};

struct array_data {
    std::size_t references = 1;
    array_elements items;
};

inline variant::variant(const variant& o) : type(o.type), odd_byte(o.odd_byte), text(o.text) {
    take_word(o);
    if (type == vt_array) ++array->references;
}

inline variant::variant(variant&& o) noexcept : type(o.type), odd_byte(o.odd_byte), text(std::move(o.text)) {
    take_word(o);
    o.type = vt_empty;
}

inline variant& variant::operator=(variant&& o) noexcept {
    if (this == &o) return *this;
    release();
    type = o.type;
    odd_byte = o.odd_byte;
    take_word(o);
    text = std::move(o.text);
    o.type = vt_empty;
    return *this;
}

inline variant& variant::operator=(const variant& o) {
    if (this != &o) *this = variant(o);
    return *this;
}

inline void variant::release() {
    if (type == vt_array && --array->references == 0) delete array;
}

inline const array_elements& variant::items() const { return array->items; }

inline variant variant::make_array(array_elements items) {
    variant v;
    v.type = vt_array;
    v.array = new array_data{1, std::move(items)};
    return v;
}

// VBScript's TypeName of the subtype ("Double", "Empty", "Nothing", "Variant()", ...).
std::u16string_view type_name(const variant& v);

// The value an operator sees: an object's default value (Err's is its Number, a Long),
// anything else as it is. Nothing raises 91, an array 13.
variant plain_value(const variant& v);

// The value as a double under the standard variant conversion: numbers, Booleans
// (-1/0), Empty (0), Dates (serial), Currency and numeric text, Err's Number; nothing
// for Null, Nothing, arrays and text that is no number.
std::optional<double> to_number(const variant& v);

// Text that reads as a number as Windows reads it in the zh-CN locale: digits with an
// optional fraction and exponent (E or D), digit groups, a sign in front or behind,
// brackets for a negative number, "¥" and blanks around; or &H / &O integers with
// blanks around. "." is always the decimal separator.
std::optional<double> parse_number_text(std::u16string_view s);

// "True" or "False" in any case, "#TRUE#" or "#FALSE#" in capitals only, blanks around:
// the texts that convert to a Boolean without being numbers.
std::optional<bool> parse_boolean_text(std::u16string_view s);

// The value as a Boolean, as CBool takes it: numbers are true unless 0, and so are
// the texts of parse_boolean_text; Null raises 94, other texts 13.
bool truth_of(const variant& v);

// The value as a double, for arithmetic: Null raises 94, Nothing 91, arrays and
// non-numeric text 13.
double number_of(const variant& v);

// The text of a value, as CStr gives it; Null raises 94, Nothing 91, an array 13.
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
