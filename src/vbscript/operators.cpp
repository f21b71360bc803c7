#include "vbscript/operators.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "vbscript/currency.h"
#include "vbscript/dates.h"
#include "vbscript/errors.h"
#include "vbscript/limits.h"
#include "vbscript/text_tools.h"

namespace vbscript {

namespace {

// The numeric kinds in the order in which + and - promote: the result takes the more
// precise operand's kind.
enum class kind { byte, integer, long_integer, single, real, currency, date };

kind kind_of(const variant& v) {
    switch (v.type) {
    case vt_byte: return kind::byte;
    case vt_empty:
    case vt_boolean:
    case vt_integer: return kind::integer;
    case vt_long: return kind::long_integer;
    case vt_single: return kind::single;
    case vt_currency: return kind::currency;
    case vt_date: return kind::date;
    case vt_object: return kind::long_integer;  // Err's Number
    default: return kind::real;                 // Double, and text read as a Double
    }
}

// The kind of a sum or difference before any promotion: the more precise operand's,
// except that a Long with a Single needs a Double.
kind wider(kind a, kind b) {
    if ((a == kind::long_integer && b == kind::single) || (a == kind::single && b == kind::long_integer))
        return kind::real;
    return std::max(a, b);
}

// A product ranks Currency below Double, makes a Date a Double, and needs a Double for
// a Single with a Long or a Currency.
kind product_kind(kind a, kind b) {
    if (a == kind::real || b == kind::real || a == kind::date || b == kind::date) return kind::real;
    if (a == kind::single || b == kind::single) {
        const kind other = a == kind::single ? b : a;
        return other == kind::long_integer || other == kind::currency ? kind::real : kind::single;
    }
    return std::max(a, b);
}

// A quotient is a Single when a Single meets a Single, Byte, Integer, Boolean or Empty,
// else a Double.
kind quotient_kind(kind a, kind b) {
    if (a != kind::single && b != kind::single) return kind::real;
    const kind other = a == kind::single ? b : a;
    return other <= kind::integer || other == kind::single ? kind::single : kind::real;
}

// The value in the given kind, promoted Byte -> Integer -> Long -> Double and
// Single -> Double when it does not fit; a Double or Date that does not fit raises 6.
variant fit(double v, kind k) {
    switch (k) {
    case kind::byte:
        if (v >= 0 && v <= 255) return variant::byte(v);
        [[fallthrough]];
    case kind::integer:
        if (v >= -32768 && v <= 32767) return variant::integer(v);
        [[fallthrough]];
    case kind::long_integer:
        if (v >= -2147483648.0 && v <= 2147483647.0) return variant::long_integer(v);
        return fit(v, kind::real);
    case kind::single:
        if (std::fabs(v) <= static_cast<double>(FLT_MAX)) return variant::single(v);
        return fit(v, kind::real);
    case kind::real:
        if (!std::isfinite(v)) raise(err_overflow);
        return variant::real(v);
    case kind::currency: return variant::currency(currency_from_double(v));
    case kind::date:
        if (!in_date_range(v)) raise(err_overflow);
        return variant::date(v);
    }
    return variant::real(v);
}

// The number of a value that holds one (not text, Null or a reference).
double numeric_value(const variant& v) {
    return v.type == vt_currency ? static_cast<double>(v.scaled) / currency_unit : v.number;
}

bool either_null(const variant& a, const variant& b) { return a.is_null() || b.is_null(); }

// The operands of + - * as numbers with the kind of the result.
struct numeric_pair {
    double a, b;
    kind k;
};

numeric_pair numeric_operands(const variant& a, const variant& b) {
    return {number_of(a), number_of(b), wider(kind_of(a), kind_of(b))};
}

// A Date in + and - stays a Date, except that the difference of two Dates is a number.
kind date_kind(const variant& a, const variant& b, kind k, bool difference) {
    if (k != kind::date) return k;
    return difference && a.type == vt_date && b.type == vt_date ? kind::real : kind::date;
}

// Texts of which one has an odd byte count join byte by byte, as ChrB(65) & ChrB(66)
// makes the one character U+4241.
variant joined_bytes(const variant& a, const variant& b, run_budget& budget) {
    return from_bytes((a.is_null() ? std::string() : bytes_of(a)) + (b.is_null() ? std::string() : bytes_of(b)),
                      budget);
}

variant joined(const std::u16string& a, const std::u16string& b, run_budget& budget) {
    budget.require_text(a.size() + b.size());
    return budget.text(a + b);
}

// The operands of \ and Mod, rounded to whole numbers, and the kind of their result.
struct whole_pair {
    long long a, b;
    kind k;
};

kind whole_kind(const variant& v) {
    kind k = kind_of(v);
    return k == kind::byte || k == kind::integer ? k : kind::long_integer;
}

whole_pair whole_operands(const variant& a, const variant& b) {
    return {long_of(a), long_of(b), std::max(whole_kind(a), whole_kind(b))};
}

variant fit_whole(long long v, kind k) {
    if (k == kind::long_integer && (v < -2147483648LL || v > 2147483647LL)) raise(err_overflow);
    return fit(static_cast<double>(v), k);
}

}  // namespace

variant negate(const variant& a) {
    if (a.is_null()) return a;
    if (a.type == vt_empty) return variant::integer(0);
    if (a.type == vt_currency) return variant::currency(currency_subtract(0, a.scaled));
    const kind k = kind_of(a);
    return fit(-number_of(a), k == kind::byte ? kind::integer : k);
}

variant add(const variant& a, const variant& b, run_budget& budget) {
    if (either_null(a, b)) return variant::null();
    if (a.is_string() && b.is_string()) {
        if (a.odd_byte || b.odd_byte) return joined_bytes(a, b, budget);
        return joined(a.text, b.text, budget);
    }
    if (a.type == vt_empty && b.type == vt_empty) return variant::integer(0);
    if (a.type == vt_empty || b.type == vt_empty) {
        const variant& other = a.type == vt_empty ? b : a;
        if (other.type == vt_boolean) return variant::integer(other.number);
        return other.is_reference() ? plain_value(other) : budget.copy(other);
    }
    numeric_pair p = numeric_operands(a, b);
    if (p.k == kind::currency) return variant::currency(currency_add(currency_of(a), currency_of(b)));
    return fit(p.a + p.b, date_kind(a, b, p.k, false));
}

variant subtract(const variant& a, const variant& b) {
    if (either_null(a, b)) return variant::null();
    numeric_pair p = numeric_operands(a, b);
    if (p.k == kind::currency) return variant::currency(currency_subtract(currency_of(a), currency_of(b)));
    return fit(p.a - p.b, date_kind(a, b, p.k, true));
}

variant multiply(const variant& a, const variant& b) {
    if (either_null(a, b)) return variant::null();
    const double x = number_of(a), y = number_of(b);
    const kind k = product_kind(kind_of(a), kind_of(b));
    if (k == kind::currency) return variant::currency(currency_multiply(currency_of(a), currency_of(b)));
    return fit(x * y, k);
}

variant divide(const variant& a, const variant& b) {
    if (either_null(a, b)) return variant::null();
    const double x = number_of(a), y = number_of(b);
    if (y == 0) raise(x == 0 ? err_overflow : err_division_by_zero);
    return fit(x / y, quotient_kind(kind_of(a), kind_of(b)));
}

variant int_divide(const variant& a, const variant& b) {
    if (either_null(a, b)) return variant::null();
    whole_pair p = whole_operands(a, b);
    if (p.b == 0) raise(err_division_by_zero);
    return fit_whole(p.a / p.b, p.k);
}

variant modulo(const variant& a, const variant& b) {
    if (either_null(a, b)) return variant::null();
    whole_pair p = whole_operands(a, b);
    if (p.b == 0) raise(err_division_by_zero);
    return fit_whole(p.a % p.b, p.k);
}

variant power(const variant& a, const variant& b) {
    if (either_null(a, b)) return variant::null();
    const double x = number_of(a), y = number_of(b);
    if ((x < 0 && y != std::trunc(y)) || (x == 0 && y < 0)) raise(err_invalid_call);
    return fit(std::pow(x, y), kind::real);
}

variant concat(const variant& a, const variant& b, run_budget& budget) {
    if (a.is_null() && b.is_null()) return variant::null();
    if (a.odd_byte || b.odd_byte) return joined_bytes(a, b, budget);
    std::u16string left = a.is_null() ? std::u16string() : text_of(a);
    std::u16string right = b.is_null() ? std::u16string() : text_of(b);
    return joined(left, right, budget);
}

namespace {

// How two non-Null values compare: numbers by value, strings by code unit, a number
// below any string, Empty as 0 beside a number and as "" beside a string.
enum class relation { less, equal, greater };

// A Single beside a Double, a Date or a Currency compares at Single precision: the other
// value rounded to a float first, so CSng(0.1) = 0.1. A value beyond the float range
// stays as it is and so compares beyond every Single. Beside a Long the comparison stays
// exact: the published expectations cover only these three subtypes.
double at_single_precision(double v) {
    return std::fabs(v) <= static_cast<double>(FLT_MAX) ? static_cast<double>(static_cast<float>(v)) : v;
}

bool rounds_beside_single(var_type t) { return t == vt_double || t == vt_date || t == vt_currency; }

// The plain values of references are copies, counted as every copy is.
relation compare(const variant& a, const variant& b, run_budget& budget) {
    if (a.is_reference() || b.is_reference())
        return compare(budget.copy(plain_value(a)), budget.copy(plain_value(b)), budget);
    if (a.is_string() || b.is_string()) {
        const bool a_text = a.is_string() || a.type == vt_empty;
        const bool b_text = b.is_string() || b.type == vt_empty;
        if (!a_text) return relation::less;
        if (!b_text) return relation::greater;
        const int c = a.text.compare(b.text);
        return c < 0 ? relation::less : c > 0 ? relation::greater : relation::equal;
    }
    if (a.type == vt_currency && b.type == vt_currency) {
        return a.scaled < b.scaled ? relation::less : a.scaled > b.scaled ? relation::greater : relation::equal;
    }
    double x = numeric_value(a), y = numeric_value(b);
    if (a.type == vt_single && rounds_beside_single(b.type)) y = at_single_precision(y);
    else if (b.type == vt_single && rounds_beside_single(a.type)) x = at_single_precision(x);
    return x < y ? relation::less : x > y ? relation::greater : relation::equal;
}

}  // namespace

variant compare_op(comparison op, const variant& a, const variant& b, run_budget& budget) {
    if (either_null(a, b)) return variant::null();
    const relation r = compare(a, b, budget);
    switch (op) {
    case comparison::equal: return variant::boolean(r == relation::equal);
    case comparison::not_equal: return variant::boolean(r != relation::equal);
    case comparison::less: return variant::boolean(r == relation::less);
    case comparison::greater: return variant::boolean(r == relation::greater);
    case comparison::less_equal: return variant::boolean(r != relation::greater);
    case comparison::greater_equal: return variant::boolean(r != relation::less);
    }
    return variant::null();
}

variant is_same_object(const variant& a, const variant& b) {
    if (!a.is_object() || !b.is_object()) raise(err_object_required);
    return variant::boolean(a.number == b.number);  // Nothing and Err are the only objects
}

// ---- logical operators: bitwise on whole numbers, Boolean on two Booleans ----

namespace {

enum class bits_kind { boolean, byte, integer, long_integer };

struct bits_operand {
    bits_kind k;
    std::int32_t bits;
};

bits_operand bits_of(const variant& v) {
    switch (v.type) {
    case vt_empty: return {bits_kind::integer, 0};
    case vt_boolean: return {bits_kind::boolean, v.number ? -1 : 0};
    case vt_byte: return {bits_kind::byte, static_cast<std::int32_t>(v.number)};
    case vt_integer: return {bits_kind::integer, static_cast<std::int32_t>(v.number)};
    case vt_string:
        // "True", "#FALSE#", ... act as Booleans; other text as a number.
        if (auto b = parse_boolean_text(v.text)) return {bits_kind::boolean, *b ? -1 : 0};
        return {bits_kind::long_integer, long_of(v)};
    default: return {bits_kind::long_integer, long_of(v)};
    }
}

bits_kind joint_kind(bits_kind a, bits_kind b) {
    if (a == bits_kind::boolean && b == bits_kind::boolean) return a;
    if (a == bits_kind::boolean) a = bits_kind::integer;
    if (b == bits_kind::boolean) b = bits_kind::integer;
    return std::max(a, b);
}

variant from_bits(std::int32_t bits, bits_kind k) {
    switch (k) {
    case bits_kind::boolean: return variant::boolean(bits != 0);
    case bits_kind::byte: return variant::byte(bits & 0xFF);
    case bits_kind::integer: return variant::integer(static_cast<std::int16_t>(bits));
    case bits_kind::long_integer: return variant::long_integer(bits);
    }
    return variant::long_integer(bits);
}

bool all_ones(const bits_operand& x) { return x.k == bits_kind::byte ? (x.bits & 0xFF) == 0xFF : x.bits == -1; }

enum class logic { and_, or_, xor_, eqv, imp };

std::int32_t apply(logic op, std::int32_t a, std::int32_t b) {
    switch (op) {
    case logic::and_: return a & b;
    case logic::or_: return a | b;
    case logic::xor_: return a ^ b;
    case logic::eqv: return ~(a ^ b);
    case logic::imp: return ~a | b;
    }
    return 0;
}

// With one Null operand, oleaut32's tables: x And Null is x when x is 0; x Or Null and
// Null Imp x are x when x is not 0; x Imp Null is Not x unless that is 0; each in the
// other operand's subtype as the logical operators give it (a Single, Double, Currency
// or Date as a Long). Every other case, and all of Xor and Eqv, is Null.
variant with_null(logic op, const variant& a, const variant& b) {
    if (a.is_null() && b.is_null()) return variant::null();
    const bool null_first = a.is_null();
    const bits_operand x = bits_of(null_first ? b : a);
    const variant none = variant::null();
    switch (op) {
    case logic::and_: return x.bits == 0 ? from_bits(0, x.k) : none;
    case logic::or_: return x.bits != 0 ? from_bits(x.bits, x.k) : none;
    case logic::imp:
        if (null_first) return x.bits != 0 ? from_bits(x.bits, x.k) : none;
        return all_ones(x) ? none : from_bits(~x.bits, x.k);
    default: return none;
    }
}

variant logical(logic op, const variant& a, const variant& b) {
    if (either_null(a, b)) return with_null(op, a, b);
    const bits_operand x = bits_of(a), y = bits_of(b);
    return from_bits(apply(op, x.bits, y.bits), joint_kind(x.k, y.k));
}

}  // namespace

variant logical_not(const variant& a) {
    if (a.is_null()) return a;
    const bits_operand x = bits_of(a);
    return from_bits(~x.bits, x.k);
}

variant logical_and(const variant& a, const variant& b) { return logical(logic::and_, a, b); }
variant logical_or(const variant& a, const variant& b) { return logical(logic::or_, a, b); }
variant logical_xor(const variant& a, const variant& b) { return logical(logic::xor_, a, b); }
variant logical_eqv(const variant& a, const variant& b) { return logical(logic::eqv, a, b); }
variant logical_imp(const variant& a, const variant& b) { return logical(logic::imp, a, b); }

}  // namespace vbscript
