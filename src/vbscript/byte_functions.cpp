// The byte functions see a String as the bytes of its UTF-16 code units, low byte
// first, as VBScript's strings are kept: LenB("中") is 2, AscB("A") is 65. They do not
// go through the code page; Asc and Chr do.
#include <algorithm>

#include "vbscript/errors.h"
#include "vbscript/functions.h"
#include "vbscript/text_tools.h"

namespace vbscript::functions {

namespace {

// The compared bytes of InStrB: the texts folded first under text compare.
std::string search_bytes(const variant& v, bool text, run_budget& budget) {
    if (!text) return bytes_of(v);
    return bytes_of(budget.text(folded(text_of(v))));
}

}  // namespace

variant LenB(arguments a) {
    if (a[0].is_null()) return a[0];
    return variant::long_integer(static_cast<double>(bytes_of(a[0]).size()));
}

variant LeftB(arguments a) {
    const long long n = non_negative(a[1]);
    if (a[0].is_null()) return a[0];
    return from_bytes(std::string_view(bytes_of(a[0])).substr(0, static_cast<size_t>(n)), a.budget());
}

variant RightB(arguments a) {
    const long long n = non_negative(a[1]);
    if (a[0].is_null()) return a[0];
    const std::string b = bytes_of(a[0]);
    const size_t keep = std::min<size_t>(b.size(), static_cast<size_t>(n));
    return from_bytes(std::string_view(b).substr(b.size() - keep), a.budget());
}

// MidB(string, start[, length]): start counts bytes from 1.
variant MidB(arguments a) {
    const long long start = long_of(a[1]);
    const long long length = has(a, 2) ? non_negative(a[2]) : -1;
    if (start < 1) raise(err_invalid_call);
    if (a[0].is_null()) return a[0];
    const std::string b = bytes_of(a[0]);
    if (static_cast<size_t>(start) > b.size()) return a.budget().text({});
    const size_t n = length < 0 ? std::string::npos : static_cast<size_t>(length);
    return from_bytes(std::string_view(b).substr(static_cast<size_t>(start - 1), n), a.budget());
}

// InStrB([start,] string1, string2[, compare]): the byte position, as InStr finds the
// character position.
variant InStrB(arguments a) {
    const bool with_start = a.size() >= 3;
    const long long start = with_start && has(a, 0) ? long_of(a[0]) : 1;
    if (start < 1) raise(err_invalid_call);
    const variant& hay = a[with_start ? 1 : 0];
    const variant& needle = a[with_start ? 2 : 1];
    const bool text = text_compare(a, 3);
    if (hay.is_null() || needle.is_null()) return variant::null();
    const std::string h = search_bytes(hay, text, a.budget()), n = search_bytes(needle, text, a.budget());
    if (h.empty() || static_cast<size_t>(start) > h.size()) return variant::long_integer(0);
    if (n.empty()) return variant::long_integer(static_cast<double>(start));
    const size_t at = basic_search<char>(n).find(h, static_cast<size_t>(start - 1));
    return variant::long_integer(at == std::string::npos ? 0 : static_cast<double>(at + 1));
}

variant AscB(arguments a) {
    const std::string b = bytes_of(a[0]);
    if (b.empty()) raise(err_invalid_call);
    return variant::integer(static_cast<unsigned char>(b[0]));
}

variant ChrB(arguments a) {
    const long long code = long_of(a[0]);
    if (code < 0 || code > 255) raise(err_invalid_call);
    return from_bytes(std::string(1, static_cast<char>(code)), a.budget());
}

}  // namespace vbscript::functions
