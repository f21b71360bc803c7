// Currency: a signed 64-bit count of ten-thousandths, from -922337203685477.5808 to
// 922337203685477.5807. Conversions round half to even at the fourth decimal; a value
// outside the range raises 6 (Overflow), and Currency arithmetic never falls back to
// Double.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "vbscript/variant.h"

namespace vbscript {

inline constexpr std::int64_t currency_unit = 10000;

// The Currency nearest a double; NaN and values out of range raise 6.
std::int64_t currency_from_double(double v);

// Decimal text ("-1,234.56789", " 12e3 ", "(¥5)") read exactly, not through a double, by
// the rules of number_reading.h; nothing when the text is no such number.
std::optional<std::int64_t> currency_from_text(std::u16string_view s);

// Any value as a Currency, as CCur takes it: text is read exactly, Null raises 94,
// other non-numbers 13.
std::int64_t currency_of(const variant& v);

// "1234.5", "-0.0001": up to four decimals, trailing zeros dropped.
std::u16string currency_to_text(std::int64_t scaled);

// Exact sums, differences and products (rounded half to even); out of range raises 6.
std::int64_t currency_add(std::int64_t a, std::int64_t b);
std::int64_t currency_subtract(std::int64_t a, std::int64_t b);
std::int64_t currency_multiply(std::int64_t a, std::int64_t b);

// The whole part toward minus infinity (Int) or toward zero (Fix), and the value rounded
// to `digits` decimals, halves to even (Round); all still in ten-thousandths.
std::int64_t currency_floor(std::int64_t scaled);
std::int64_t currency_truncate(std::int64_t scaled);
std::int64_t currency_round(std::int64_t scaled, int digits);

}  // namespace vbscript
