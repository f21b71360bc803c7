// Pieces the text, array and byte functions share: case folding, the compare argument,
// a linear-time search, and texts charged to the evaluation's budget.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vbscript/functions.h"

namespace vbscript {

// Upper and lower case of ASCII, Latin-1, Greek and Cyrillic letters; others unchanged.
char16_t upper(char16_t c);
char16_t lower(char16_t c);
std::u16string folded(std::u16string s);

// The compare argument at i of InStr, Split, StrComp, ...: 0 (binary, the default
// when left out) or 1 (text); Null raises 94, other values 5.
bool text_compare(arguments a, size_t i);

// A count or length argument (Left, Space, LeftB, ...): a whole number in the Long
// range that is not negative, else 5.
long long non_negative(const variant& v);

// The bytes of a value's text as the byte functions see it: each code unit low byte
// first, a String with an odd byte count without its last half. And back, counted in
// the budget: an odd count leaves its last byte in the low half of a last code unit,
// marked odd_byte.
std::string bytes_of(const variant& v);
variant from_bytes(std::string_view bytes, run_budget& budget);

// Finds a non-empty needle in time linear in both lengths whatever the texts hold
// (Knuth-Morris-Pratt), so that searching a long text for a long, almost matching
// needle cannot stall an evaluation. Works on code units or on bytes.
template <class Char>
class basic_search {
public:
    explicit basic_search(std::basic_string_view<Char> needle) : needle_(needle), border_(needle.size(), 0) {
        for (size_t i = 1, k = 0; i < needle_.size(); ++i) {
            while (k > 0 && needle_[i] != needle_[k]) k = border_[k - 1];
            if (needle_[i] == needle_[k]) ++k;
            border_[i] = k;
        }
    }
    // The first occurrence at or after from, or npos.
    size_t find(std::basic_string_view<Char> hay, size_t from) const {
        for (size_t i = from, k = 0; i < hay.size(); ++i) {
            while (k > 0 && hay[i] != needle_[k]) k = border_[k - 1];
            if (hay[i] == needle_[k] && ++k == needle_.size()) return i + 1 - k;
        }
        return std::u16string::npos;
    }

private:
    std::basic_string_view<Char> needle_;
    std::vector<size_t> border_;
};

using text_search = basic_search<char16_t>;

}  // namespace vbscript
