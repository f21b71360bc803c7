#include "store/history_log.h"

#include <cerrno>

#include "platform/text.h"

namespace store {

std::string encode_history(std::u16string_view text) {
    std::string bytes(2 + 2 * text.size(), '\0');
    bytes[0] = '\xFF';
    bytes[1] = '\xFE';
    char* out = bytes.data() + 2;
    for (char16_t unit : text) {
        *out++ = static_cast<char>(unit & 0xFF);
        *out++ = static_cast<char>(unit >> 8);
    }
    return bytes;
}

namespace {

constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";

std::u16string from_utf16(std::string_view bytes, bool little_endian) {
    std::u16string text = platform::utf16_from_bytes(bytes, little_endian);
    if (bytes.size() % 2 != 0) text.push_back(u'\uFFFD');
    return text;
}

bool is_high(char16_t u) { return u >= 0xD800 && u < 0xDC00; }
bool is_low(char16_t u) { return u >= 0xDC00 && u < 0xE000; }

bool looks_like_text(std::u16string_view text) {
    bool ascii = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (u < 0x20 && u != u'\t' && u != u'\r' && u != u'\n') return false;
        if (is_high(u) && !(i + 1 < text.size() && is_low(text[i + 1]))) return false;
        if (is_low(u) && !(i > 0 && is_high(text[i - 1]))) return false;
        ascii = ascii || u < 0x80;
    }
    return ascii;
}

}  // namespace

std::optional<std::u16string> decode_history(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return from_utf16(bytes.substr(2), true);
    if (bytes.starts_with("\xFE\xFF")) return from_utf16(bytes.substr(2), false);
    if (bytes.starts_with(utf8_mark)) return platform::to_u16(bytes.substr(utf8_mark.size()));
    if (bytes.find('\0') == std::string_view::npos && platform::is_utf8(bytes)) return platform::to_u16(bytes);
    std::size_t zero_first = 0, zero_second = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        zero_first += bytes[i] == '\0';
        zero_second += bytes[i + 1] == '\0';
    }
    std::u16string text = from_utf16(bytes, zero_second >= zero_first);
    if (!looks_like_text(text)) return std::nullopt;
    return text;
}

history_read read_history(const platform::file_system& files, const std::string& path) {
    using outcome = history_read::outcome;
    if (!files.exists(path)) return {};
    const auto size = files.size(path);
    if (!size) return {outcome::unreadable, {}};
    if (*size > history_size_limit) return {outcome::too_large, {}};
    if (*size <= 3) return {outcome::short_file, {}};
    const auto bytes = files.read_all(path);
    if (!bytes) return {outcome::unreadable, {}};
    auto text = decode_history(*bytes);
    if (!text) return {outcome::not_text, {}};
    return {outcome::restored, std::move(*text)};
}

bool write_history(platform::file_system& files, const std::string& path, std::u16string_view text,
                   std::error_code* error) {
    return files.replace_file(path, encode_history(text), error);
}

namespace {

std::u16string save_failure_reason(const std::error_code& error) {
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
        error == std::errc::read_only_file_system)
        return u"文件夹不可写入";
    if (error == std::errc::no_space_on_device || error.value() == EDQUOT) return u"磁盘空间不足";
    return u"文件写入失败";
}

}  // namespace

std::u16string history_save_failed_tip(const std::error_code& error) {
    return u"温馨提示:历史记录未能保存，" + save_failure_reason(error);
}

std::u16string history_exit_question(const std::error_code& error) {
    return u"历史记录未能保存：" + save_failure_reason(error) +
           u"。\n上次保存以后记下的内容只在历史记录框里，不保存就关闭会丢失这些内容。";
}

std::u16string history_unreadable_tip() { return u"温馨提示:历史记录文件无法读取，本次运行不会保存历史记录"; }

std::u16string history_unread_tip(history_read::outcome why) {
    static_assert(history_size_limit == 256u << 20, "the tip names the limit");
    switch (why) {
    case history_read::outcome::too_large:
        return u"温馨提示:历史记录文件超过 256 MB，没有读取，本次运行不会保存历史记录";
    case history_read::outcome::not_text: return u"温馨提示:历史记录文件不是文本，没有读取，本次运行不会保存历史记录";
    default: return history_unreadable_tip();
    }
}

}  // namespace store
