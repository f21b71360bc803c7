// Decimal text read as a number the way the variant conversions of Windows read it
// (VarParseNumFromStr with every NUMPRS_ flag on) in the engine's locale, zh-CN: "."
// between the whole part and the fraction, "," between digit groups, "¥" for money.
// Every conversion of text to a number (arithmetic, CDbl, CInt, CCur, ..., IsNumeric)
// reads through here, so that they all take the same texts.
//
// The text is [lead] digits [. digits] [exponent] [trail]:
// - lead: blanks, at most one sign, at most one "(", at most one "¥", in any order;
// - digits: at least one digit in the whole part or the fraction; a "," may follow any
//   digit of the whole part, repeated or not (so "1,,000" and "1,00,0,," are 1000), but
//   none comes first;
// - exponent: E or D (either case), an optional sign and at least one digit;
// - trail: blanks, a sign when the lead had none, the ")" that the lead's "(" needs,
//   and "¥" any number of times, in any order.
// A "(" ... ")" pair or a "-" makes the number negative ("(5)" is -5, "5-" is -5).
// Blanks are space, tab, line feed, carriage return, form feed, vertical tab and the
// no-break space.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vbscript {

struct decimal_number {
    bool negative = false;
    std::string digits;      // ASCII, without leading zeros; empty for zero
    long long exponent = 0;  // the power of ten of the last digit
};

std::optional<decimal_number> read_decimal_number(std::u16string_view text);

// The blanks that may surround a number.
bool is_number_blank(char16_t c);

}  // namespace vbscript
