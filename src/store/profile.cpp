#include "store/profile.h"

#include <algorithm>

#include "platform/text.h"

namespace store::profile {

namespace {

constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool has_line_break(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// The name of a header line "[name]", or nothing for any other line.
std::optional<std::string_view> header_name(std::string_view line) {
    const auto t = trim(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    const auto close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(t.substr(1, close - 1));
}

bool is_comment(std::string_view line) {
    const auto t = trim(line);
    return !t.empty() && (t.front() == ';' || t.front() == '#');
}

// The key of a "key=value" line, or nothing for headers, comments and other lines.
std::optional<std::string_view> key_of(std::string_view line) {
    if (is_comment(line) || header_name(line)) return std::nullopt;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return trim(line.substr(0, eq));
}

std::optional<std::size_t> key_index(std::string_view line, const std::vector<std::string>& keys) {
    const auto key = key_of(line);
    if (!key) return std::nullopt;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (same_name(*key, keys[i])) return i;
    }
    return std::nullopt;
}

std::vector<std::string> split_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

}  // namespace

bool same_name(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

bool valid_section(std::string_view section) {
    return !section.empty() && trim(section) == section && !has_line_break(section) &&
           section.find(']') == std::string_view::npos;
}

bool valid_key(std::string_view key) {
    return !key.empty() && trim(key) == key && !has_line_break(key) && key.find('=') == std::string_view::npos &&
           key.front() != '[' && !is_comment(key);
}

bool valid_value(std::string_view value) { return !has_line_break(value); }

document::document(std::string_view bytes) {
    std::string converted;
    if (bytes.starts_with(utf8_mark)) {
        byte_order_mark_ = true;
        bytes.remove_prefix(utf8_mark.size());
    } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        converted = platform::to_utf8(platform::utf16_from_bytes(bytes.substr(2), bytes[0] == '\xFF'));
        bytes = converted;
    }
    lines_ = split_lines(bytes);
}

std::optional<document::range> document::section_lines(std::string_view section) const {
    for (std::size_t h = 0; h < lines_.size(); ++h) {
        const auto name = header_name(lines_[h]);
        if (!name || !same_name(*name, section)) continue;
        std::size_t end = h + 1;
        while (end < lines_.size() && !header_name(lines_[end])) ++end;
        return range{h + 1, end};
    }
    return std::nullopt;
}

std::optional<document::found> document::find(std::string_view section, const std::vector<std::string>& keys) const {
    const auto r = section_lines(section);
    if (!r) return std::nullopt;
    for (std::size_t i = r->begin; i < r->end; ++i) {
        if (const auto k = key_index(lines_[i], keys)) {
            const std::string& line = lines_[i];
            return found{*k, line.substr(line.find('=') + 1)};
        }
    }
    return std::nullopt;
}

bool document::set(std::string_view section, std::string_view key, std::string_view value,
                   const std::vector<std::string>& replaces) {
    if (!valid_section(section) || !valid_key(key) || !valid_value(value)) return false;
    std::string line = std::string(key) + "=" + std::string(value);
    const auto r = section_lines(section);
    if (!r) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::move(line));
        return true;
    }
    std::vector<std::string> matching = replaces;
    matching.emplace_back(key);
    std::optional<std::size_t> target;
    std::size_t last_filled = r->begin;  // insertion point: after the last non-blank line
    std::vector<std::string> kept(lines_.begin(), lines_.begin() + r->begin);
    for (std::size_t i = r->begin; i < r->end; ++i) {
        const auto k = key_index(lines_[i], matching);
        if (k && !target) {
            target = kept.size();
        } else if (k && *k < replaces.size()) {
            continue;
        }
        kept.push_back(lines_[i]);
        if (!trim(lines_[i]).empty()) last_filled = kept.size();
    }
    const std::size_t section_end = kept.size();
    kept.insert(kept.end(), lines_.begin() + r->end, lines_.end());
    if (target) {
        kept[*target] = std::move(line);
    } else {
        kept.insert(kept.begin() + std::min(last_filled, section_end), std::move(line));
    }
    lines_ = std::move(kept);
    return true;
}

std::string document::bytes() const {
    std::string out = byte_order_mark_ ? std::string(utf8_mark) : std::string();
    for (const auto& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::optional<document> load(const platform::file_system& files, const std::string& path) {
    if (!files.exists(path)) return document();
    const auto size = files.size(path);
    if (!size || *size > max_file_size) return std::nullopt;
    auto bytes = files.read_all(path);
    if (!bytes) return std::nullopt;
    return document(*bytes);
}

bool save(platform::file_system& files, const std::string& path, const document& doc, std::error_code* error) {
    return files.replace_file(path, doc.bytes(), error);
}

}  // namespace store::profile
