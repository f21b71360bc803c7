#include <cfloat>
#include <cmath>

#include "vbscript/characters.h"
#include "vbscript/currency.h"
#include "vbscript/dates.h"
#include "vbscript/errors.h"
#include "vbscript/functions.h"

namespace vbscript {

double date_of(const variant& v) {
    if (v.is_object()) raise(err_type_mismatch);
    double serial;
    if (v.is_string()) {
        auto d = parse_date_text(v.text);
        auto n = d ? d : parse_number_text(v.text);
        if (!n) raise(err_type_mismatch);
        serial = *n;
    } else {
        serial = number_of(v);
    }
    if (!in_date_range(serial)) raise(err_overflow);
    return serial;
}

namespace functions {

namespace {

// Hex and Oct digits of a whole number; a negative Integer shows its 16 bits, any
// other negative number its 32.
variant radix_text(const variant& x, unsigned base, run_budget& budget) {
    if (x.is_null()) return x;
    const std::int32_t v = long_of(x);
    const bool short_form = x.type == vt_integer || x.type == vt_byte || x.type == vt_boolean || x.type == vt_empty;
    std::uint32_t bits = short_form && v < 0 ? static_cast<std::uint16_t>(v) : static_cast<std::uint32_t>(v);
    std::u16string out;
    do {
        out.insert(out.begin(), u"0123456789ABCDEF"[bits % base]);
        bits /= base;
    } while (bits);
    return budget.text(std::move(out));
}

}  // namespace

variant CBool(arguments a) { return variant::boolean(truth_of(a[0])); }

// A Boolean converts by its bits: CByte(True) is 255, no overflow.
variant CByte(arguments a) {
    if (a[0].type == vt_boolean) return variant::byte(a[0].number ? 255 : 0);
    return variant::byte(whole_number_in(a[0], 0, 255));
}

variant CCur(arguments a) { return variant::currency(currency_of(a[0])); }
variant CInt(arguments a) { return variant::integer(whole_number_in(a[0], -32768, 32767)); }
variant CLng(arguments a) { return variant::long_integer(long_of(a[0])); }
variant CDbl(arguments a) { return variant::real(number_of(a[0])); }

variant CSng(arguments a) {
    const double v = number_of(a[0]);
    if (std::fabs(v) > static_cast<double>(FLT_MAX)) raise(err_overflow);
    return variant::single(v);
}

// A String passes as it is, an odd byte count included.
variant CStr(arguments a) { return a[0].is_string() ? a.budget().copy(a[0]) : a.budget().text(text_of(a[0])); }
variant CDate(arguments a) { return variant::date(date_of(a[0])); }
variant Hex(arguments a) { return radix_text(a[0], 16, a.budget()); }
variant Oct(arguments a) { return radix_text(a[0], 8, a.budget()); }

// Text that reads as a number, and numbers but Dates; an object by its value (Err's
// Number), so Nothing is no number.
variant IsNumeric(arguments a) {
    const variant& x = a[0];
    if (x.is_string()) return variant::boolean(parse_number_text(x.text).has_value());
    if (x.is_object()) return variant::boolean(!x.is_nothing());
    return variant::boolean(x.is_numeric() && x.type != vt_date);
}

variant IsDate(arguments a) {
    const variant& x = a[0];
    if (x.type == vt_date) return variant::boolean(true);
    if (!x.is_string()) return variant::boolean(false);
    auto d = parse_date_text(x.text);
    return variant::boolean(d && in_date_range(*d));
}

variant IsEmpty(arguments a) { return variant::boolean(a[0].type == vt_empty); }
variant IsNull(arguments a) { return variant::boolean(a[0].is_null()); }
variant TypeName(arguments a) { return a.budget().text(std::u16string(type_name(a[0]))); }
variant VarType(arguments a) { return variant::integer(a[0].type); }

}  // namespace functions

}  // namespace vbscript
