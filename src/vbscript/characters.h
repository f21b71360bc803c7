// The character classes of the language's own words: names, keywords, number and date
// literals, interval and Boolean words, the control's identifiers. All are ASCII and
// match without regard to ASCII case; the wider folding of LCase and UCase plays no
// part in them.
#pragma once

#include <cstddef>
#include <string_view>

namespace vbscript {

inline bool is_ascii_letter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
inline bool is_ascii_digit(char16_t c) { return c >= u'0' && c <= u'9'; }
inline char16_t ascii_lower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }

// The value of c as a digit in base 8, 10 or 16 (letters in either case), or -1.
inline int digit_value(char16_t c, int base) {
    int v = -1;
    if (is_ascii_digit(c)) v = c - u'0';
    else if (c >= u'a' && c <= u'f') v = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F') v = c - u'A' + 10;
    return v < base ? v : -1;
}

inline bool same_ignoring_case(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    return true;
}

}  // namespace vbscript
