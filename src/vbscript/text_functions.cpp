#include <algorithm>

#include "vbscript/characters.h"
#include "vbscript/code_page.h"
#include "vbscript/errors.h"
#include "vbscript/functions.h"
#include "vbscript/limits.h"
#include "vbscript/text_tools.h"

namespace vbscript::functions {

namespace {

variant trimmed(const variant& x, bool front, bool back, run_budget& budget) {
    if (x.is_null()) return x;
    std::u16string s = text_of(x);
    size_t b = 0, e = s.size();
    while (front && b < e && s[b] == u' ') ++b;
    while (back && e > b && s[e - 1] == u' ') --e;
    return budget.text(s.substr(b, e - b));
}

}  // namespace

variant Left(arguments a) {
    const long long n = non_negative(a[1]);
    if (a[0].is_null()) return a[0];
    return a.budget().text(text_of(a[0]).substr(0, static_cast<size_t>(n)));
}

variant Right(arguments a) {
    const long long n = non_negative(a[1]);
    if (a[0].is_null()) return a[0];
    std::u16string s = text_of(a[0]);
    const size_t keep = std::min(s.size(), static_cast<size_t>(n));
    return a.budget().text(s.substr(s.size() - keep));
}

variant Mid(arguments a) {
    const long long start = long_of(a[1]);
    const long long length = has(a, 2) ? non_negative(a[2]) : -1;
    if (start < 1) raise(err_invalid_call);
    if (a[0].is_null()) return a[0];
    std::u16string s = text_of(a[0]);
    if (static_cast<size_t>(start) > s.size()) return a.budget().text({});
    const size_t n = length < 0 ? std::u16string::npos : static_cast<size_t>(length);
    return a.budget().text(s.substr(static_cast<size_t>(start - 1), n));
}

variant Len(arguments a) {
    if (a[0].is_null()) return a[0];
    return variant::long_integer(static_cast<double>(text_of(a[0]).size()));
}

variant LCase(arguments a) {
    if (a[0].is_null()) return a[0];
    return a.budget().text(folded(text_of(a[0])));
}

variant UCase(arguments a) {
    if (a[0].is_null()) return a[0];
    std::u16string s = text_of(a[0]);
    for (char16_t& c : s) c = upper(c);
    return a.budget().text(std::move(s));
}

variant Trim(arguments a) { return trimmed(a[0], true, true, a.budget()); }
variant LTrim(arguments a) { return trimmed(a[0], true, false, a.budget()); }
variant RTrim(arguments a) { return trimmed(a[0], false, true, a.budget()); }

// InStr([start,] string1, string2[, compare]): the 1-based position of string2 in
// string1 from start, 0 when it is not there.
variant InStr(arguments a) {
    const bool with_start = a.size() >= 3;
    const long long start = with_start ? long_of(a[0]) : 1;
    if (start < 1) raise(err_invalid_call);
    const variant& hay = a[with_start ? 1 : 0];
    const variant& needle = a[with_start ? 2 : 1];
    const bool text = text_compare(a, 3);
    if (hay.is_null() || needle.is_null()) return variant::null();
    std::u16string h = text_of(hay), n = text_of(needle);
    if (h.empty() || static_cast<size_t>(start) > h.size()) return variant::long_integer(0);
    if (n.empty()) return variant::long_integer(static_cast<double>(start));
    if (text) h = folded(std::move(h)), n = folded(std::move(n));
    const size_t at = text_search(n).find(h, static_cast<size_t>(start - 1));
    return variant::long_integer(at == std::u16string::npos ? 0 : static_cast<double>(at + 1));
}

// InStrRev(string1, string2[, start[, compare]]): the last position of string2 that
// ends at or before start (-1: the end).
variant InStrRev(arguments a) {
    const long long start = has(a, 2) ? long_of(a[2]) : -1;
    if (start == 0 || start < -1) raise(err_invalid_call);
    const bool text = text_compare(a, 3);
    if (a[0].is_null() || a[1].is_null()) return variant::null();
    std::u16string h = text_of(a[0]), n = text_of(a[1]);
    const size_t end = start == -1 ? h.size() : static_cast<size_t>(start);
    if (h.empty() || end > h.size()) return variant::long_integer(0);
    if (n.empty()) return variant::long_integer(static_cast<double>(end));
    if (n.size() > end) return variant::long_integer(0);
    if (text) h = folded(std::move(h)), n = folded(std::move(n));
    // The last occurrence ending by end is the first one in the reversed texts.
    std::u16string h_back(h.rend() - static_cast<std::ptrdiff_t>(end), h.rend());
    std::u16string n_back(n.rbegin(), n.rend());
    const size_t at = text_search(n_back).find(h_back, 0);
    return variant::long_integer(at == std::u16string::npos ? 0 : static_cast<double>(end - at - n.size() + 1));
}

// Replace(expression, find, replacewith[, start[, count[, compare]]]): the text from
// start on, with up to count (-1: all) occurrences of find replaced.
variant Replace(arguments a) {
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].is_null()) raise(err_invalid_use_of_null);
    const long long start = has(a, 3) ? long_of(a[3]) : 1;
    long long count = has(a, 4) ? long_of(a[4]) : -1;
    if (start < 1 || count < -1) raise(err_invalid_call);
    const bool text = text_compare(a, 5);
    const std::u16string s = text_of(a[0]), find = text_of(a[1]), with = text_of(a[2]);
    if (static_cast<size_t>(start) > s.size()) return a.budget().text({});
    const std::u16string_view rest = std::u16string_view(s).substr(static_cast<size_t>(start - 1));
    const std::u16string key = text ? folded(find) : find;
    const std::u16string hay = text ? folded(std::u16string(rest)) : std::u16string(rest);
    std::u16string out;
    size_t from = 0;
    const text_search search(key);
    while (!key.empty() && count != 0) {
        const size_t at = search.find(hay, from);
        if (at == std::u16string::npos) break;
        a.budget().require_text(out.size() + at - from + with.size());
        out.append(rest.substr(from, at - from)).append(with);
        from = at + key.size();
        if (count > 0) --count;
    }
    out.append(rest.substr(from));
    return a.budget().text(std::move(out));
}

variant StrReverse(arguments a) {
    std::u16string s = text_of(a[0]);
    std::reverse(s.begin(), s.end());
    return a.budget().text(std::move(s));
}

variant Space(arguments a) {
    const long long n = non_negative(a[0]);
    a.budget().require_text(static_cast<size_t>(n));
    return a.budget().text(std::u16string(static_cast<size_t>(n), u' '));
}

// String(number, character): character is a text (its first character) or a code of
// the code page, taken modulo 256.
variant String(arguments a) {
    if (a[0].is_null() || a[1].is_null()) return variant::null();
    const long long n = non_negative(a[0]);
    char16_t c;
    if (a[1].is_string()) {
        if (a[1].text.empty()) raise(err_invalid_call);
        c = a[1].text[0];
    } else {
        c = ansi_text(static_cast<unsigned>(((long_of(a[1]) % 256) + 256) % 256))[0];
    }
    a.budget().require_text(static_cast<size_t>(n));
    return a.budget().text(std::u16string(static_cast<size_t>(n), c));
}

// StrComp(string1, string2[, compare]): -1, 0 or 1 as string1 sorts before, with or
// after string2; Null when either is Null.
variant StrComp(arguments a) {
    const bool text = text_compare(a, 2);
    if (a[0].is_null() || a[1].is_null()) return variant::null();
    std::u16string x = text_of(a[0]), y = text_of(a[1]);
    if (text) x = folded(std::move(x)), y = folded(std::move(y));
    const int c = x.compare(y);
    return variant::integer(c < 0 ? -1 : c > 0 ? 1 : 0);
}

namespace {

constexpr std::u16string_view hex_digits = u"0123456789ABCDEF";

// The characters Escape leaves as they are: letters, digits and @*_+-./
bool escape_keeps(char16_t c) {
    return is_ascii_letter(c) || is_ascii_digit(c) || c == u'@' || c == u'*' || c == u'_' || c == u'+' || c == u'-' ||
           c == u'.' || c == u'/';
}

// The value of `count` hex digits at s[i], or -1.
long hex_at(std::u16string_view s, size_t i, size_t count) {
    if (i + count > s.size()) return -1;
    long v = 0;
    for (size_t k = 0; k < count; ++k) {
        const int d = digit_value(s[i + k], 16);
        if (d < 0) return -1;
        v = v * 16 + d;
    }
    return v;
}

}  // namespace

// Escape(string): %XX for the other characters below 256, %uXXXX above. The length is
// known before the text is made, so a text too long for the budget costs one pass.
variant Escape(arguments a) {
    if (a[0].is_null()) return a[0];
    const std::u16string s = text_of(a[0]);
    std::size_t length = 0;
    for (char16_t c : s) length += escape_keeps(c) ? 1 : c < 256 ? 3 : 6;
    a.budget().require_text(length);
    std::u16string out(length, u'%');
    std::size_t at = 0;
    for (char16_t c : s) {
        if (escape_keeps(c)) {
            out[at++] = c;
            continue;
        }
        ++at;  // the "%" is there already
        if (c >= 256) out[at++] = u'u';
        for (int shift = c < 256 ? 4 : 12; shift >= 0; shift -= 4) out[at++] = hex_digits[(c >> shift) & 0xF];
    }
    return a.budget().text(std::move(out));
}

// Unescape(string): %XX and %uXXXX back to their characters; any other % stays.
variant Unescape(arguments a) {
    if (a[0].is_null()) return a[0];
    const std::u16string s = text_of(a[0]);
    std::u16string out;
    for (size_t i = 0; i < s.size(); ++i) {
        long code = -1;
        if (s[i] == u'%' && i + 1 < s.size() && s[i + 1] == u'u') code = hex_at(s, i + 2, 4);
        if (code >= 0) {
            out += static_cast<char16_t>(code);
            i += 5;
        } else if (s[i] == u'%' && (code = hex_at(s, i + 1, 2)) >= 0) {
            out += static_cast<char16_t>(code);
            i += 2;
        } else {
            out += s[i];
        }
    }
    return a.budget().text(std::move(out));
}

// Chr(charcode): the code page's character, one byte up to 255, a double-byte code
// from -32768 (its 16 bits) to 65535.
variant Chr(arguments a) {
    const long long code = long_of(a[0]);
    if (code < -32768 || code > 65535) raise(err_invalid_call);
    return a.budget().text(ansi_text(static_cast<unsigned>(code & 0xFFFF)));
}

variant ChrW(arguments a) {
    const long long code = long_of(a[0]);
    if (code < -32768 || code > 65535) raise(err_invalid_call);
    return a.budget().text(std::u16string(1, static_cast<char16_t>(code & 0xFFFF)));
}

variant AscW(arguments a) {
    const std::u16string s = text_of(a[0]);
    if (s.empty()) raise(err_invalid_call);
    return variant::integer(static_cast<std::int16_t>(s[0]));
}

variant Asc(arguments a) {
    const std::u16string s = text_of(a[0]);
    if (s.empty()) raise(err_invalid_call);
    return variant::integer(ansi_code(s[0]));
}

}  // namespace vbscript::functions
