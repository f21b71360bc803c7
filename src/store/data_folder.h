// Where the settings and history files live, decided once at start-up:
// - an installed copy (put into <prefix>/bin by `cmake --install` or the package, with
//   its metainfo in <prefix>/share/metainfo) keeps them in the user's data folder
//   ($XDG_DATA_HOME/tallix, by default ~/.local/share/tallix), whoever runs it, and
//   never writes into its program folder;
// - any other copy keeps them beside its executable when files can be created there,
//   otherwise in the user's data folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace store {

// $XDG_DATA_HOME/tallix when that variable holds an absolute path, else
// $HOME/.local/share/tallix; "" when neither is known. Either argument may be null.
std::string user_data_folder(const char* xdg_data_home, const char* home);

// Whether the program in `program_folder` was installed: the installation's metainfo,
// <program folder>/../share/metainfo/<app_id>.metainfo.xml, is there.
bool installed_copy(const platform::file_system& files, const std::string& program_folder, const std::string& app_id);

// The data folder by the rules above, and the folder passed over because other users
// can write to it: files there may be links or files planted to make this program read
// or overwrite what it was never meant to, so a folder like that is never used. Passed
// over, the program folder leaves the files to the user folder, and without another
// folder the program keeps no files (folder "").
struct data_folder_choice {
    std::string folder;
    std::string passed_over;
};

// The choice; the user folder is created when it is chosen and missing. Without a user
// folder, an installed copy keeps no files (""), any other copy keeps them in its program
// folder, writable or not.
data_folder_choice choose_data_folder(platform::file_system& files, const std::string& program_folder,
                                      const std::string& user_folder, bool installed);
// What the tip line says of the choice: where the files went instead, or that none are
// kept; "" when no folder was passed over.
std::u16string data_folder_tip(const data_folder_choice& choice);

// The lock file that marks the copy owning a data folder.
inline constexpr const char* data_lock_name = ".tallix.lock";

// Makes this copy the owner of the folder's data files for as long as `files` lives or
// until release_data_folder: no two copies ever write the same files, whatever became of
// the link between them. Once it owns the folder, it removes the temporary files that a
// save of one of `data_files` left when it was cut short. False when another copy owns
// the folder, or a lock file is there that cannot be taken; a folder where no lock can be
// made (a read-only one) is nobody's, and a copy that keeps no files (folder "") owns none.
bool claim_data_folder(platform::file_system& files, const std::string& folder,
                       const std::vector<std::string>& data_files);
void release_data_folder(platform::file_system& files, const std::string& folder);

// Whether a file name is that of a temporary file saving data_file makes beside it:
// data_file, platform::save_temp_mark, six letters or digits.
bool is_save_leftover(std::string_view name, std::string_view data_file);

}  // namespace store
