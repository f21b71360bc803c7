#include "vbscript/currency.h"

#include <cmath>
#include <limits>

#include "vbscript/errors.h"
#include "vbscript/number_reading.h"

namespace vbscript {

namespace {

using wide = __int128;

constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t highest = std::numeric_limits<std::int64_t>::max();

std::int64_t checked(wide v) {
    if (v < lowest || v > highest) raise(err_overflow);
    return static_cast<std::int64_t>(v);
}

// q = n / d rounded half to even; d > 0.
wide divide_half_even(wide n, wide d) {
    wide q = n / d, r = n % d;
    if (r < 0) r = -r;
    const bool negative = n < 0;
    if (2 * r > d || (2 * r == d && q % 2 != 0)) q += negative ? -1 : 1;
    return q;
}

}  // namespace

std::int64_t currency_from_double(double v) {
    const double scaled = std::nearbyint(v * currency_unit);
    // 2^63 is the first double beyond the range; NaN fails both comparisons.
    if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0)) raise(err_overflow);
    return static_cast<std::int64_t>(scaled);
}

std::optional<std::int64_t> currency_from_text(std::u16string_view s) {
    const std::optional<decimal_number> d = read_decimal_number(s);
    if (!d) return std::nullopt;
    const long long shift = d->exponent + 4;  // the power of ten of the last digit, in units
    const long long length = static_cast<long long>(d->digits.size());
    if (length == 0 || length + shift < 0) return 0;  // below a tenth of a unit
    if (length + shift > 19) raise(err_overflow);
    wide v = 0;
    const long long kept = shift >= 0 ? length : length + shift;
    for (long long k = 0; k < kept; ++k) v = v * 10 + (d->digits[k] - '0');
    for (long long k = 0; k < shift; ++k) v *= 10;
    if (shift < 0) {
        // Round the dropped digits half to even: compare them with one half.
        const std::string_view rest = std::string_view(d->digits).substr(kept);
        const int first = rest[0] - '0';
        const bool beyond = rest.find_first_not_of('0', 1) != std::string_view::npos;
        if (first > 5 || (first == 5 && (beyond || v % 2 != 0))) ++v;
    }
    return checked(d->negative ? -v : v);
}

std::int64_t currency_of(const variant& v) {
    if (v.type == vt_currency) return v.scaled;
    if (v.is_string()) {
        if (auto c = currency_from_text(v.text)) return *c;
        if (auto n = parse_number_text(v.text)) return currency_from_double(*n);  // &H, &O
        raise(err_type_mismatch);
    }
    return currency_from_double(number_of(v));
}

std::u16string currency_to_text(std::int64_t scaled) {
    const bool negative = scaled < 0;
    // The magnitude as unsigned, so that the lowest value has one too.
    const unsigned long long m =
        negative ? 0ull - static_cast<unsigned long long>(scaled) : static_cast<unsigned long long>(scaled);
    std::u16string out;
    for (unsigned long long whole = m / currency_unit;; whole /= 10) {
        out.insert(out.begin(), char16_t(u'0' + whole % 10));
        if (whole < 10) break;
    }
    unsigned long long fraction = m % currency_unit;
    if (fraction) {
        std::u16string digits(4, u'0');
        for (int k = 3; k >= 0; --k, fraction /= 10) digits[k] = char16_t(u'0' + fraction % 10);
        digits.erase(digits.find_last_not_of(u'0') + 1);
        out += u'.';
        out += digits;
    }
    return negative ? u"-" + out : out;
}

std::int64_t currency_add(std::int64_t a, std::int64_t b) { return checked(wide(a) + b); }
std::int64_t currency_subtract(std::int64_t a, std::int64_t b) { return checked(wide(a) - b); }

std::int64_t currency_multiply(std::int64_t a, std::int64_t b) {
    return checked(divide_half_even(wide(a) * b, currency_unit));
}

std::int64_t currency_floor(std::int64_t scaled) {
    wide q = scaled / currency_unit;
    if (scaled % currency_unit < 0) --q;
    return checked(q * currency_unit);
}

std::int64_t currency_truncate(std::int64_t scaled) { return scaled / currency_unit * currency_unit; }

std::int64_t currency_round(std::int64_t scaled, int digits) {
    if (digits >= 4) return scaled;
    wide step = 1;
    for (int k = digits; k < 4; ++k) step *= 10;
    return checked(divide_half_even(scaled, step) * step);
}

}  // namespace vbscript
