// The settings module: named texts in the file <folder>/<exe base name>.dat, section
// [<exe base name>]. Keeps nothing between calls and never throws: every failure comes
// back as "" or false.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace store {

// Where the settings live: the data folder (without a trailing separator) and the
// executable's base name, which names both the file and its section.
struct settings_file {
    std::string folder;
    std::string exe_name;
    std::string file_name() const { return exe_name + ".dat"; }
    std::string path() const { return folder + "/" + file_name(); }
};

// The stored text of the key (spaces around it ignored); `fallback` when the key is
// missing; "" when the key is blank, the stored value is empty or anything fails.
std::u16string read_setting(const platform::file_system& files, const settings_file& where, const std::u16string& key,
                            const std::u16string& fallback);

// Whether the settings file is larger than any tallix writes: it is then neither read nor
// written.
bool settings_too_large(const platform::file_system& files, const settings_file& where);
std::u16string settings_too_large_tip();

// Stores the value under the key (spaces around it ignored). False when the key is
// blank or not storable, or the file could not be read or written; the file is then
// left as it was.
bool write_setting(platform::file_system& files, const settings_file& where, const std::u16string& key,
                   const std::u16string& value);

}  // namespace store
