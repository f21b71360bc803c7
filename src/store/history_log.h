// The history log file: the history box's whole text in UTF-16 little-endian after the
// byte-order mark FF FE, nothing added. Written whole (atomically) every minute and at
// shut-down after an edit, read back at start-up when larger than 3 bytes; a history in
// UTF-8 or UTF-16 big-endian, as a text editor may leave it, is read too.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/file_system.h"

namespace store {

inline constexpr const char* history_file_name = "myalldata.dat";

std::string encode_history(std::u16string_view text);
// The text of a history file, or nothing when its bytes are no text. After the mark FF FE
// (the file format) or FE FF the rest is UTF-16, little- or big-endian: unpaired
// surrogates stay as they are, an odd last byte becomes U+FFFD. After the UTF-8 mark, and
// without any mark when the bytes are UTF-8 and hold no zero byte, it is UTF-8, invalid
// sequences becoming U+FFFD. Any other file is taken for UTF-16 without its mark, its
// order told by which byte of a unit is zero, as the Latin letters, digits and line breaks
// of a history make it: text only when it holds such a unit, no other control character
// and no unpaired surrogate.
std::optional<std::u16string> decode_history(std::string_view bytes);

// A larger history is not read: kept in memory it costs about ten times its size while
// the box shows it, more than a desktop can be assumed to spare.
inline constexpr std::uintmax_t history_size_limit = std::uintmax_t{256} << 20;

struct history_read {
    enum class outcome {
        missing,     // no file: the box starts empty, and a save makes one
        short_file,  // 3 bytes or less: the box starts empty, the file stays until an edit
        restored,    // `text` holds the file's text
        // The file is there but not read; it must not be overwritten.
        unreadable,  // it could not be read (permissions, no regular file, a link not followed)
        too_large,   // larger than history_size_limit
        not_text,    // decode_history found no text in it
    };
    outcome result = outcome::missing;
    std::u16string text;
};
history_read read_history(const platform::file_system& files, const std::string& path);

// Replaces the file with the text; false, with the cause in `error`, when that failed.
bool write_history(platform::file_system& files, const std::string& path, std::u16string_view text,
                   std::error_code* error = nullptr);

// The tip line's texts for the history's troubles.
std::u16string history_save_failed_tip(const std::error_code& error);
std::u16string history_unreadable_tip();
// Why a history file that is there was not read: the tip for the last three outcomes.
std::u16string history_unread_tip(history_read::outcome why);
// The question put when the history cannot be saved as the program ends.
std::u16string history_exit_question(const std::error_code& error);

}  // namespace store
