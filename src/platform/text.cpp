#include "platform/text.h"

#include <algorithm>

namespace platform {

namespace {

constexpr char32_t replacement = 0xFFFD;

void append_utf16(std::u16string& out, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(cp));
    }
}

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at s[i]; advances i. Overlong forms, surrogates and
// truncated sequences give U+FFFD and consume one byte.
char32_t decode_utf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int len = b0 >= 0xF0 && b0 <= 0xF4 ? 4 : b0 >= 0xE0 && b0 < 0xF0 ? 3 : b0 >= 0xC2 && b0 < 0xE0 ? 2 : 0;
    if (len == 0 || i + len > s.size()) {
        ++i;
        return replacement;
    }
    char32_t cp = b0 & (0x7F >> len);
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return replacement;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return replacement;
    }
    i += len;
    return cp;
}

}  // namespace

std::u16string to_u16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) append_utf16(out, decode_utf8(utf8, i));
    return out;
}

// An invalid sequence decodes to U+FFFD of one byte; a U+FFFD written in the text takes three.
bool is_utf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t at = i;
        if (decode_utf8(bytes, i) == replacement && i - at == 1) return false;
    }
    return true;
}

std::string to_utf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = replacement;
        }
        append_utf8(out, cp);
    }
    return out;
}

std::u16string utf16_from_bytes(std::string_view bytes, bool little_endian) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto lo = static_cast<unsigned char>(bytes[2 * i + (little_endian ? 0 : 1)]);
        const auto hi = static_cast<unsigned char>(bytes[2 * i + (little_endian ? 1 : 0)]);
        units[i] = static_cast<char16_t>(lo | (hi << 8));
    }
    return units;
}

std::u16string to_lf(std::u16string_view model) {
    std::u16string out(model);
    to_lf_in_place(out);
    return out;
}

void to_lf_in_place(std::u16string& text) {
    std::size_t out = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            text[out++] = u'\n';
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            text[out++] = text[i];
        }
    }
    text.resize(out);
}

std::u16string to_crlf(std::u16string_view view) {
    std::u16string out;
    out.reserve(view.size() + static_cast<std::size_t>(std::count(view.begin(), view.end(), u'\n')));
    for (char16_t c : view) {
        if (c == u'\n') out.push_back(u'\r');
        out.push_back(c);
    }
    return out;
}

int model_to_view_pos(std::u16string_view view, int model_pos) {
    int model = 0;
    int v = 0;
    for (; v < static_cast<int>(view.size()); ++v) {
        const int width = view[static_cast<std::size_t>(v)] == u'\n' ? 2 : 1;
        // Inside a CR LF: before the break.
        if (model + width > model_pos) break;
        model += width;
    }
    return v;
}

int view_to_model_pos(std::u16string_view view, int pos) {
    const int end = std::clamp(pos, 0, static_cast<int>(view.size()));
    return end + static_cast<int>(std::count(view.begin(), view.begin() + end, u'\n'));
}

}  // namespace platform
