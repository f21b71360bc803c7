#include "vbscript/text_tools.h"

#include "vbscript/errors.h"
#include "vbscript/limits.h"

namespace vbscript {

char16_t upper(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return char16_t(c - 32);
    if ((c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F)) return char16_t(c - 32);
    return c;
}

char16_t lower(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return char16_t(c + 32);
    if ((c >= 0x391 && c <= 0x3A9 && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) return char16_t(c + 32);
    return c;
}

std::u16string folded(std::u16string s) {
    for (char16_t& c : s) c = lower(c);
    return s;
}

bool text_compare(arguments a, size_t i) {
    if (!has(a, i)) return false;
    const long long mode = long_of(a[i]);
    if (mode != 0 && mode != 1) raise(err_invalid_call);
    return mode == 1;
}

long long non_negative(const variant& v) {
    const long long n = long_of(v);
    if (n < 0) raise(err_invalid_call);
    return n;
}

std::string bytes_of(const variant& v) {
    const std::u16string own = v.is_string() ? std::u16string() : text_of(v);
    const std::u16string& text = v.is_string() ? v.text : own;
    std::string out;
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    if (v.is_string() && v.odd_byte) out.pop_back();
    return out;
}

variant from_bytes(std::string_view bytes, run_budget& budget) {
    budget.require_text(bytes.size() / 2 + 1);
    std::u16string text;
    text.reserve(bytes.size() / 2 + 1);
    for (size_t i = 0; i < bytes.size(); i += 2) {
        const unsigned char low = static_cast<unsigned char>(bytes[i]);
        const unsigned char high = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        text += static_cast<char16_t>(low | high << 8);
    }
    variant v = budget.text(std::move(text));
    v.odd_byte = bytes.size() % 2 != 0;
    return v;
}

}  // namespace vbscript
