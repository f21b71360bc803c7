// The initialization-file ("profile") functions: one key of one section of a small text
// file made of [section] header lines and key=value lines. Our own implementation with
// the semantics the settings rely on: section and key names match without regard to
// ASCII case, a value is replaced in place, a missing key is added at the end of its
// section, a missing section or file is created, every other line is kept as it was.
// The text is UTF-8 with CR LF line ends; files go through the file-system service, so
// a settings file is replaced atomically like the history.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/file_system.h"

namespace store::profile {

// Names and values that can be stored without changing the shape of the file: no line
// break anywhere, no "=" in a key, no "]" in a section name, names without surrounding
// blanks, a key that cannot be taken for a header or a comment.
bool valid_section(std::string_view section);
bool valid_key(std::string_view key);
bool valid_value(std::string_view value);

// Whether two section or key names are the same name: equal without regard to ASCII case.
bool same_name(std::string_view a, std::string_view b);

// An initialization file's lines, kept as they were except for the edits made to them.
class document {
public:
    // Any bytes parse. A UTF-8 byte-order mark is kept; a UTF-16 one turns the text into
    // UTF-8; a lone LF or CR ends a line like CR LF; invalid UTF-8 is carried as bytes.
    explicit document(std::string_view bytes = {});

    struct found {
        std::size_t key_index;  // which of the keys asked for
        std::string value;      // everything after the first "=", untrimmed
    };
    // The first line of the first section named `section` whose key is one of `keys`.
    std::optional<found> find(std::string_view section, const std::vector<std::string>& keys) const;

    // Writes key=value into the section: over the first line whose key is `key` or one of
    // `replaces`, else after the section's last non-blank line; a missing section goes
    // at the end. Lines of the section whose key is one of `replaces` are removed. False,
    // with nothing changed, when a name or the value is not valid.
    bool set(std::string_view section, std::string_view key, std::string_view value,
             const std::vector<std::string>& replaces = {});

    // The whole file: every line ended by CR LF.
    std::string bytes() const;

private:
    struct range {
        std::size_t begin;  // first line after the header
        std::size_t end;    // the next header or the end
    };
    std::optional<range> section_lines(std::string_view section) const;

    std::vector<std::string> lines_;
    bool byte_order_mark_ = false;
};

// No settings file that tallix writes comes near this size: its formula and result of at
// most 1,048,576 characters each take at most 3 MiB apiece. A larger file is not read.
inline constexpr std::uintmax_t max_file_size = std::uintmax_t{8} << 20;

// The file's lines: an empty document when there is no file, nothing when a file is
// there but cannot be read or is larger than max_file_size.
std::optional<document> load(const platform::file_system& files, const std::string& path);
// Replaces the file with the document.
bool save(platform::file_system& files, const std::string& path, const document& doc, std::error_code* error = nullptr);

}  // namespace store::profile
