#include "store/data_folder.h"

#include <algorithm>

#include "platform/text.h"

namespace store {

std::string user_data_folder(const char* xdg_data_home, const char* home) {
    if (xdg_data_home && xdg_data_home[0] == '/') return std::string(xdg_data_home) + "/tallix";
    if (home && home[0] == '/') return std::string(home) + "/.local/share/tallix";
    return {};
}

bool installed_copy(const platform::file_system& files, const std::string& program_folder, const std::string& app_id) {
    return files.exists(program_folder + "/../share/metainfo/" + app_id + ".metainfo.xml");
}

data_folder_choice choose_data_folder(platform::file_system& files, const std::string& program_folder,
                                      const std::string& user_folder, bool installed) {
    std::string passed_over;
    if (!installed && files.can_create_in(program_folder)) {
        if (!files.writable_by_others(program_folder)) return {program_folder, ""};
        passed_over = program_folder;
    }
    if (user_folder.empty()) {
        if (installed || !passed_over.empty()) return {"", passed_over};
        if (files.writable_by_others(program_folder)) return {"", program_folder};
        return {program_folder, ""};
    }
    files.make_folders(user_folder);
    if (files.writable_by_others(user_folder)) return {"", user_folder};
    return {user_folder, passed_over};
}

std::u16string data_folder_tip(const data_folder_choice& choice) {
    if (choice.passed_over.empty()) return u"";
    if (choice.folder.empty())
        return u"温馨提示:其他用户也能写入文件夹 " + platform::to_u16(choice.passed_over) +
               u"，本次运行不读取也不保存设置和历史记录";
    return u"温馨提示:其他用户也能写入程序所在的文件夹，设置和历史记录保存在 " + platform::to_u16(choice.folder);
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
    const std::string_view mark = platform::save_temp_mark;
    if (name.size() != data_file.size() + mark.size() + platform::save_temp_random || !name.starts_with(data_file) ||
        name.substr(data_file.size(), mark.size()) != mark)
        return false;
    const std::string_view tail = name.substr(data_file.size() + mark.size());
    return std::all_of(tail.begin(), tail.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

}  // namespace store
