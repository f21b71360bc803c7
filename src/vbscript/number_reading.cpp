#include "vbscript/number_reading.h"

#include <algorithm>

#include "vbscript/characters.h"
#include "vbscript/locale.h"

// Wine's tests of VarParseNumFromStr, which Windows passes, fix each rule above one
// flag at a time; they leave open how the flags combine. Here a "(" and a sign may
// stand together ("(-5)" and "-(5)" are -5, as the parse only reports "negative"), and
// blanks may stand anywhere among the signs, brackets and "¥" on either side
// ("( 5 )", "5 -"). A ")" without its "(" is no number, nor is "(" without ")".

namespace vbscript {

namespace {

// Exponents are cut at this bound: a mantissa of fewer than some 99,000 digits is 0 or
// beyond every range either way.
constexpr long long exponent_bound = 100000;

bool is_sign(char16_t c) { return c == u'+' || c == u'-'; }

bool at_currency_symbol(std::u16string_view s, size_t i) { return s.substr(i).starts_with(zh_cn::currency_symbol); }

struct marks {
    bool sign = false, open = false, close = false, currency = false;
};

// The marks on either side of the digits, from i on: blanks, one sign on the two sides
// together, a "(" before and the ")" it needs after, one "¥" before and any number
// after. Returns where they end.
size_t read_marks(std::u16string_view s, size_t i, bool before, marks& m, decimal_number& n) {
    while (i < s.size()) {
        const char16_t c = s[i];
        if (is_number_blank(c)) {
            ++i;
        } else if (is_sign(c) && !m.sign) {
            m.sign = true;
            n.negative = c == u'-';
            ++i;
        } else if (before ? c == u'(' && !m.open : c == u')' && m.open && !m.close) {
            (before ? m.open : m.close) = true;
            ++i;
        } else if ((!before || !m.currency) && at_currency_symbol(s, i)) {
            m.currency = true;
            i += zh_cn::currency_symbol.size();
        } else {
            break;
        }
    }
    return i;
}

// The whole part with its group separators and the fraction; npos without a digit.
size_t read_mantissa(std::u16string_view s, size_t i, decimal_number& n) {
    bool any = false, point = false;
    for (; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (is_ascii_digit(c)) {
            any = true;
            if (!n.digits.empty() || c != u'0') n.digits += static_cast<char>(c);
            if (point) --n.exponent;
        } else if (c == u'.' && !point) {
            point = true;
        } else if (!(c == zh_cn::group_separator && any && !point)) {
            break;
        }
    }
    return any ? i : std::u16string_view::npos;
}

// E|D [sign] digits; an "E" without digits is left where it is, for the trail to refuse.
size_t read_exponent(std::u16string_view s, size_t i, decimal_number& n) {
    if (i >= s.size() || (ascii_lower(s[i]) != u'e' && ascii_lower(s[i]) != u'd')) return i;
    size_t j = i + 1;
    bool minus = false;
    if (j < s.size() && is_sign(s[j])) minus = s[j++] == u'-';
    if (j >= s.size() || !is_ascii_digit(s[j])) return i;
    long long e = 0;
    for (; j < s.size() && is_ascii_digit(s[j]); ++j) e = std::min(e * 10 + (s[j] - u'0'), exponent_bound);
    n.exponent += minus ? -e : e;
    return j;
}

}  // namespace

bool is_number_blank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\v' || c == u'\u00A0';
}

std::optional<decimal_number> read_decimal_number(std::u16string_view text) {
    decimal_number n;
    marks m;
    size_t i = read_mantissa(text, read_marks(text, 0, true, m, n), n);
    if (i == std::u16string_view::npos) return std::nullopt;
    i = read_marks(text, read_exponent(text, i, n), false, m, n);
    if (i != text.size() || m.open != m.close) return std::nullopt;
    if (m.open) n.negative = true;
    return n;
}

}  // namespace vbscript
