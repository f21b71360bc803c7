#include "store/inisettings.h"

#include <exception>

#include "platform/text.h"
#include "store/profile.h"

namespace store {

namespace {

// A value with a line break cannot stand on one "key=value" line. It goes under the key
// with this suffix instead, with "\" "\r" "\n" escaped, so it cannot add lines to the
// file, and a plain key's value is never read as an escaped one: no key written through
// this module ends in the suffix.
constexpr std::string_view lines_suffix = ":lines";

// A space is one byte in UTF-8 and never part of another character's bytes.
std::string trim_spaces(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

bool ends_with_suffix(std::string_view key) {
    return key.size() >= lines_suffix.size() &&
           store::profile::same_name(key.substr(key.size() - lines_suffix.size()), lines_suffix);
}

std::string escape_lines(std::string_view value) {
    std::string out;
    out.reserve(value.size() + value.size() / 8);
    for (char c : value) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out += c;
        }
    }
    return out;
}

// A backslash before any other character, or at the end, stands for itself.
std::string unescape_lines(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char next = i + 1 < value.size() ? value[i + 1] : '\0';
        if (value[i] == '\\' && (next == '\\' || next == 'r' || next == 'n')) {
            out += next == 'r' ? '\r' : next == 'n' ? '\n' : '\\';
            ++i;
        } else {
            out += value[i];
        }
    }
    return out;
}

std::u16string read_or_throw(const platform::file_system& files, const settings_file& where, const std::u16string& key,
                             const std::u16string& fallback) {
    const std::string k = trim_spaces(platform::to_utf8(key));
    if (k.empty()) return u"";
    const auto doc = store::profile::load(files, where.path());
    if (!doc) return fallback;
    const auto hit = doc->find(where.exe_name, {k, k + std::string(lines_suffix)});
    if (!hit) return fallback;
    return platform::to_u16(hit->key_index == 0 ? hit->value : unescape_lines(hit->value));
}

bool write_or_throw(platform::file_system& files, const settings_file& where, const std::u16string& key,
                    const std::u16string& value) {
    const std::string k = trim_spaces(platform::to_utf8(key));
    // A blank section name needs no test of its own: the document refuses it.
    if (k.empty() || ends_with_suffix(k)) return false;
    auto doc = store::profile::load(files, where.path());
    if (!doc) return false;
    const std::string v = platform::to_utf8(value);
    const std::string multi = k + std::string(lines_suffix);
    const bool stored = store::profile::valid_value(v) ? doc->set(where.exe_name, k, v, {multi})
                                                       : doc->set(where.exe_name, multi, escape_lines(v), {k});
    return stored && store::profile::save(files, where.path(), *doc);
}

}  // namespace

std::u16string read_setting(const platform::file_system& files, const settings_file& where, const std::u16string& key,
                            const std::u16string& fallback) {
    try {
        return read_or_throw(files, where, key, fallback);
    } catch (const std::exception&) {
        return u"";
    }
}

bool settings_too_large(const platform::file_system& files, const settings_file& where) {
    const auto size = files.size(where.path());
    return size && *size > store::profile::max_file_size;
}

std::u16string settings_too_large_tip() {
    static_assert(store::profile::max_file_size == 8u << 20, "the tip names the limit");
    return u"温馨提示:设置文件超过 8 MB，没有读取，本次运行不会保存设置";
}

bool write_setting(platform::file_system& files, const settings_file& where, const std::u16string& key,
                   const std::u16string& value) {
    try {
        return write_or_throw(files, where, key, value);
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace store
