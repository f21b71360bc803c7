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

variant made(std::u16string s) {
    charge_text(s.size());
    return variant::string(std::move(s));
}

}  // namespace vbscript
