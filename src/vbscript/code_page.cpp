#include "vbscript/code_page.h"

#include <iconv.h>

namespace vbscript {

namespace {

constexpr char16_t substitute = u'\u30FB';
// The byte &HFF, which Windows maps to U+F8F5 in both directions and glibc leaves out.
constexpr char16_t byte_ff = u'\uF8F5';

// An iconv conversion opened once per thread, as a handle must not be shared.
class converter {
public:
    converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~converter() {
        if (ok()) iconv_close(handle_);
    }
    converter(const converter&) = delete;
    converter& operator=(const converter&) = delete;

    // The converted bytes, or an empty text when the input is no complete sequence.
    std::string operator()(const char* in, size_t size) const {
        if (!ok()) return {};
        char out[16];
        char* from = const_cast<char*>(in);
        char* to = out;
        size_t left = size, room = sizeof out;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(handle_, &from, &left, &to, &room) == static_cast<size_t>(-1)) return {};
        return std::string(out, static_cast<size_t>(to - out));
    }

private:
    bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle_;
};

const converter& to_gbk() {
    thread_local const converter c("CP936", "UTF-16LE");
    return c;
}

const converter& from_gbk() {
    thread_local const converter c("UTF-16LE", "CP936");
    return c;
}

}  // namespace

int ansi_code(char16_t c) {
    if (c < 0x80) return c;
    if (c == byte_ff) return 0xFF;
    const char unit[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    const std::string bytes = to_gbk()(unit, 2);
    if (bytes.size() == 1) return static_cast<unsigned char>(bytes[0]);
    if (bytes.size() != 2) return '?';
    const unsigned code = static_cast<unsigned char>(bytes[0]) << 8 | static_cast<unsigned char>(bytes[1]);
    return static_cast<std::int16_t>(code);
}

std::u16string ansi_text(unsigned code) {
    if (code < 0x80) return std::u16string(1, static_cast<char16_t>(code));
    if (code == 0xFF) return std::u16string(1, byte_ff);
    const char two[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    const bool one = code <= 0xFF;
    const std::string units = from_gbk()(one ? two + 1 : two, one ? 1 : 2);
    if (units.empty() || units.size() % 2) return std::u16string(1, substitute);
    std::u16string out;
    for (size_t i = 0; i + 1 < units.size(); i += 2)
        out +=
            static_cast<char16_t>(static_cast<unsigned char>(units[i]) | static_cast<unsigned char>(units[i + 1]) << 8);
    return out;
}

}  // namespace vbscript
