// The character classes of the language's own words: names, keywords, number and date
// literals, interval and Boolean words. All are ASCII and match without regard to ASCII
// case (common/ascii.h, which the script control's identifiers share); the wider
// folding of LCase and UCase plays no part in them.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "common/ascii.h"

namespace vbscript {

using common::ascii_lower;
using common::same_ignoring_case;

inline bool is_ascii_letter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
inline bool is_ascii_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The value of c as a digit in base 8, 10 or 16 (letters in either case), or -1.
inline int digit_value(char16_t c, int base) {
    int v = -1;
    if (is_ascii_digit(c)) v = c - u'0';
    else if (c >= u'a' && c <= u'f') v = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F') v = c - u'A' + 10;
    return v < base ? v : -1;
}

// The base of an &H (16) or &O (8) number from its letter in either case; 0 for others.
inline int radix_base(char16_t letter) {
    const char16_t r = ascii_lower(letter);
    return r == u'h' ? 16 : r == u'o' ? 8 : 0;
}

// The text without the blanks around it (spaces, tabs, line breaks), which text read
// as a number, a Currency or a Boolean may have.
inline std::u16string_view trim_blanks(std::u16string_view s) {
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// Tables of the language's words: entries with a lower-case `name`, sorted by it.
template <class Entry, std::size_t N>
constexpr bool sorted_by_name(const std::array<Entry, N>& table) {
    return std::is_sorted(table.begin(), table.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
}

template <class Entry, std::size_t N>
constexpr std::size_t longest_name(const std::array<Entry, N>& table) {
    std::size_t longest = 0;
    for (const Entry& e : table) longest = std::max(longest, e.name.size());
    return longest;
}

// The entry named `spelling` in any case, or nullptr; a binary search without
// allocating. Longest is longest_name(table).
template <std::size_t Longest, class Entry, std::size_t N>
const Entry* find_by_name(const std::array<Entry, N>& table, std::u16string_view spelling) {
    if (spelling.size() > Longest) return nullptr;
    char16_t lowered[Longest];
    for (std::size_t i = 0; i < spelling.size(); ++i) lowered[i] = ascii_lower(spelling[i]);
    const std::u16string_view key(lowered, spelling.size());
    const auto it = std::lower_bound(table.begin(), table.end(), key,
                                     [](const Entry& e, std::u16string_view k) { return e.name < k; });
    return it != table.end() && it->name == key ? &*it : nullptr;
}

}  // namespace vbscript
