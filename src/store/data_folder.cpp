#include "store/data_folder.h"

namespace store {

std::string user_data_folder(const char* xdg_data_home, const char* home) {
    if (xdg_data_home && xdg_data_home[0] == '/') return std::string(xdg_data_home) + "/tallix";
    if (home && home[0] == '/') return std::string(home) + "/.local/share/tallix";
    return {};
}

bool installed_copy(const platform::file_system& files, const std::string& program_folder,
                    const std::string& app_id) {
    return files.exists(program_folder + "/../share/metainfo/" + app_id + ".metainfo.xml");
}

std::string choose_data_folder(platform::file_system& files, const std::string& program_folder,
                               const std::string& user_folder, bool installed) {
    if (user_folder.empty()) return installed ? std::string() : program_folder;
    if (!installed && files.can_create_in(program_folder)) return program_folder;
    files.make_folders(user_folder);
    return user_folder;
}

}  // namespace store
