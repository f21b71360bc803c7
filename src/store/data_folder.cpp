#include "store/data_folder.h"

#include <algorithm>

namespace store {

std::string user_data_folder(const char* xdg_data_home, const char* home) {
    if (xdg_data_home && xdg_data_home[0] == '/') return std::string(xdg_data_home) + "/tallix";
    if (home && home[0] == '/') return std::string(home) + "/.local/share/tallix";
    return {};
}

bool installed_copy(const platform::file_system& files, const std::string& program_folder, const std::string& app_id) {
    return files.exists(program_folder + "/../share/metainfo/" + app_id + ".metainfo.xml");
}

std::string choose_data_folder(platform::file_system& files, const std::string& program_folder,
                               const std::string& user_folder, bool installed) {
    if (user_folder.empty()) return installed ? std::string() : program_folder;
    if (!installed && files.can_create_in(program_folder)) return program_folder;
    files.make_folders(user_folder);
    return user_folder;
}

bool claim_data_folder(platform::file_system& files, const std::string& folder,
                       const std::vector<std::string>& data_files) {
    if (folder.empty()) return true;  // a copy that keeps no files owns no folder
    const auto got = files.lock(folder + "/" + data_lock_name);
    if (got == platform::file_system::lock_result::held_elsewhere) return false;
    if (got != platform::file_system::lock_result::taken) return true;
    for (const std::string& name : files.file_names(folder)) {
        for (const std::string& data_file : data_files) {
            if (is_save_leftover(name, data_file)) files.remove(folder + "/" + name);
        }
    }
    return true;
}

void release_data_folder(platform::file_system& files, const std::string& folder) {
    if (!folder.empty()) files.unlock(folder + "/" + data_lock_name);
}

bool is_save_leftover(std::string_view name, std::string_view data_file) {
    constexpr std::size_t random_part = 6;
    if (name.size() != data_file.size() + 1 + random_part || !name.starts_with(data_file) ||
        name[data_file.size()] != '.')
        return false;
    const std::string_view tail = name.substr(data_file.size() + 1);
    return std::all_of(tail.begin(), tail.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

}  // namespace store
