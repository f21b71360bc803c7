#include <algorithm>
#include <atomic>
#include <bit>
#include <cfloat>
#include <cmath>

#include "common/rounding.h"
#include "vbscript/currency.h"
#include "vbscript/errors.h"
#include "vbscript/functions.h"

namespace vbscript::functions {

namespace {

// A Double result of a math function; an infinite one is an Overflow.
variant finite(double v) {
    if (!std::isfinite(v)) raise(err_overflow);
    return variant::real(v);
}

// The result of Abs, Fix, Int and Round keeps the argument's subtype: Empty and
// Boolean become Integer, text becomes Double.
variant same_kind(const variant& of, double v) {
    switch (of.type) {
    case vt_byte: return variant::byte(v);
    case vt_integer:
    case vt_empty:
    case vt_boolean: return variant::integer(v);
    case vt_long:
    case vt_object: return variant::long_integer(v);  // Err's Number
    case vt_single: return variant::single(v);
    case vt_date: return variant::date(v);
    default: return variant::real(v);
    }
}

variant whole_part(const variant& x, double (*round)(double), std::int64_t (*currency_round)(std::int64_t)) {
    if (x.is_null()) return x;
    if (x.type == vt_currency) return variant::currency(currency_round(x.scaled));
    return same_kind(x, round(number_of(x)));
}

}  // namespace

variant Abs(arguments a) {
    const variant& x = a[0];
    if (x.is_null()) return x;
    if (x.type == vt_currency) return variant::currency(x.scaled < 0 ? currency_subtract(0, x.scaled) : x.scaled);
    const double v = std::fabs(number_of(x));
    if (x.type == vt_integer && v > 32767) return variant::long_integer(v);
    if (x.type == vt_long && v > 2147483647.0) return variant::real(v);
    return same_kind(x, v);
}

variant Atn(arguments a) { return variant::real(std::atan(number_of(a[0]))); }
variant Cos(arguments a) { return variant::real(std::cos(number_of(a[0]))); }
variant Sin(arguments a) { return variant::real(std::sin(number_of(a[0]))); }
variant Tan(arguments a) { return variant::real(std::tan(number_of(a[0]))); }
variant Exp(arguments a) { return finite(std::exp(number_of(a[0]))); }

variant Log(arguments a) {
    const double x = number_of(a[0]);
    if (!(x > 0)) raise(err_invalid_call);
    return variant::real(std::log(x));
}

variant Sqr(arguments a) {
    const double x = number_of(a[0]);
    if (x < 0) raise(err_invalid_call);
    return variant::real(std::sqrt(x));
}

variant Fix(arguments a) { return whole_part(a[0], std::trunc, currency_truncate); }
variant Int(arguments a) { return whole_part(a[0], std::floor, currency_floor); }

variant Sgn(arguments a) {
    const double x = number_of(a[0]);
    return variant::integer(x > 0 ? 1 : x < 0 ? -1 : 0);
}

// Round(x, digits): halves go to the even neighbour, at the given decimal place. A
// Boolean stays what it is; a Currency is rounded exactly.
variant Round(arguments a) {
    const variant& x = a[0];
    const double digits = has(a, 1) ? long_of(a[1]) : 0;
    if (digits < 0) raise(err_invalid_call);
    if (x.is_null()) return x;
    if (x.type == vt_boolean) return x;
    if (x.type == vt_currency)
        return variant::currency(currency_round(x.scaled, static_cast<int>(std::min(digits, 4.0))));
    const double v = number_of(x);
    if (digits == 0) return same_kind(x, common::round_half_even(v));
    if (digits > 22) return same_kind(x, v);
    const double scale = std::pow(10.0, digits);
    const double scaled = v * scale;
    if (!std::isfinite(scaled)) return same_kind(x, v);
    return same_kind(x, common::round_half_even(scaled) / scale);
}

// RGB(red, green, blue): red + green * 256 + blue * 65536, each part rounded, above 255
// taken as 255; a negative part raises 5.
variant RGB(arguments a) {
    double colour = 0;
    for (size_t i = 3; i-- > 0;) {
        const double part = common::round_half_even(number_of(a[i]));
        if (part < 0) raise(err_invalid_call);
        colour = colour * 256 + std::min(part, 255.0);
    }
    return variant::long_integer(colour);
}

namespace {

// VBScript's generator: a 24-bit linear congruential sequence, shared by every
// evaluation of the process so that each one draws the next value.
std::atomic<std::uint32_t> rnd_seed{0x50000};

std::uint32_t rnd_step(std::uint32_t s) { return (s * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu; }

}  // namespace

// Rnd: the next value; Rnd(0) the last value again; Rnd(negative) restarts the sequence
// from the argument, so that the same argument always gives the same value.
variant Rnd(arguments a) {
    const double n = has(a, 0) ? number_of(a[0]) : 1;
    std::uint32_t seed = rnd_seed.load();
    if (n < 0) {
        const float f = n < -static_cast<double>(FLT_MAX) ? -INFINITY : static_cast<float>(n);
        const std::uint32_t bits = std::bit_cast<std::uint32_t>(f);
        seed = (bits + (bits >> 24)) & 0xFFFFFFu;
    }
    if (n != 0) seed = rnd_step(seed);
    rnd_seed.store(seed);
    return variant::single(static_cast<double>(static_cast<float>(seed) / 16777216.0f));
}

}  // namespace vbscript::functions
