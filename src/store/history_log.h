// The history log file: the history box's whole text in UTF-16 little-endian after the
// byte-order mark FF FE, nothing added. Written whole (atomically) every minute and at
// shut-down, read back at start-up when larger than 3 bytes.
#pragma once

#include <string>
#include <string_view>
#include <system_error>

#include "platform/file_system.h"

namespace store {

inline constexpr const char* history_file_name = "myalldata.dat";

std::string encode_history(std::u16string_view text);
// Reads what it can: the mark (when there) is dropped, the rest is taken as UTF-16LE;
// unpaired surrogates stay as they are, an odd last byte becomes U+FFFD.
std::u16string decode_history(std::string_view bytes);

struct history_read {
    enum class outcome {
        none,        // no file, or 3 bytes or less: the box stays empty
        restored,    // `text` holds the file's text
        unreadable,  // a file is there but could not be read; it must not be overwritten
    };
    outcome result = outcome::none;
    std::u16string text;
};
history_read read_history(const platform::file_system& files, const std::string& path);

// Replaces the file with the text; false, with the cause in `error`, when that failed.
bool write_history(platform::file_system& files, const std::string& path, std::u16string_view text,
                   std::error_code* error = nullptr);

// The tip line's texts for the history's troubles.
std::u16string history_save_failed_tip(const std::error_code& error);
std::u16string history_unreadable_tip();
// The question put when the history cannot be saved as the program ends.
std::u16string history_exit_question(const std::error_code& error);

}  // namespace store
