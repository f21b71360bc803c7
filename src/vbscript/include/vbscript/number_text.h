// The VB conversion of a number to text: rounded to 15 significant digits (7 for a
// Single), trailing zeros dropped, no group separators, "." as the decimal separator
// whatever the locale. Fixed form unless the integer part would need more digits than
// that or a value below 1 would need more decimal places; then mantissa, "E", sign and
// at least two exponent digits. Zero, negative zero included, is "0". Every text made
// here reads back as the value rounded to those digits.
#pragma once

#include <string>
#include <string_view>

namespace vbscript {

std::u16string number_to_text(double value);
std::u16string single_to_text(float value);

// The significant digits of a magnitude rounded to `significant` of them (trailing
// zeros dropped) and the decimal exponent of the first one: 1234.5 gives "12345" and 3.
struct decimal_digits {
    std::string digits;
    int exponent = 0;
};
decimal_digits round_to_digits(double magnitude, int significant);

// Reads a decimal number written in ASCII ("-1.5e-3"; no "+" in front). Below the
// Double range it reads as 0 or a denormal; above it, overflow, except that up to the
// 15-digit text of the largest Double it reads as that Double, so that every text
// number_to_text makes reads back.
struct decimal_reading {
    enum status_t { ok, malformed, overflow } status = malformed;
    double value = 0;
};
decimal_reading read_decimal(std::string_view ascii);

}  // namespace vbscript
