// Where the settings and history files live: beside the executable when files can be
// created there, otherwise in the user's data folder ($XDG_DATA_HOME/tallix, by default
// ~/.local/share/tallix). Decided once at start-up.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace store {

// $XDG_DATA_HOME/tallix when that variable holds an absolute path, else
// $HOME/.local/share/tallix; "" when neither is known. Either argument may be null.
std::string user_data_folder(const char* xdg_data_home, const char* home);

// The program folder when a file can be created in it, else the user folder (created
// when missing). Without a user folder the program folder stays, writable or not.
std::string choose_data_folder(platform::file_system& files, const std::string& program_folder,
                               const std::string& user_folder);

}  // namespace store
