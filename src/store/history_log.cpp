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

std::u16string decode_history(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) bytes.remove_prefix(2);
    std::u16string text = platform::utf16_from_bytes(bytes);
    if (bytes.size() % 2 != 0) text.push_back(u'\uFFFD');
    return text;
}

history_read read_history(const platform::file_system& files, const std::string& path) {
    if (!files.exists(path)) return {};
    const auto size = files.size(path);
    if (!size) return {history_read::outcome::unreadable, {}};
    if (*size <= 3) return {};
    const auto bytes = files.read_all(path);
    if (!bytes) return {history_read::outcome::unreadable, {}};
    return {history_read::outcome::restored, decode_history(*bytes)};
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

}  // namespace store
