#include "fakes/memory_file_system.h"

namespace fakes {

namespace {

std::string folder_of(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

memory_file_system::~memory_file_system() {
    std::erase_if(disk_.locks, [this](const auto& held) { return held.second == this; });
}

bool memory_file_system::exists(const std::string& path) const {
    return disk_.files.count(path) > 0 || disk_.folders.count(path) > 0;
}

std::optional<std::uintmax_t> memory_file_system::size(const std::string& path) const {
    const auto it = disk_.files.find(path);
    if (it == disk_.files.end()) return std::nullopt;
    return it->second.size();
}

std::optional<std::string> memory_file_system::read_all(const std::string& path) const {
    const auto it = disk_.files.find(path);
    if (it == disk_.files.end()) return std::nullopt;
    return it->second;
}

bool memory_file_system::replace_file(const std::string& path, const std::string& bytes, std::error_code* error) {
    if (!can_create_in(folder_of(path))) {
        if (error) *error = std::make_error_code(std::errc::permission_denied);
        return false;
    }
    disk_.files[path] = bytes;
    return true;
}

bool memory_file_system::can_create_in(const std::string& folder) {
    return disk_.folders.count(folder) > 0 && disk_.read_only.count(folder) == 0;
}

bool memory_file_system::writable_by_others(const std::string& folder) const { return disk_.shared.count(folder) > 0; }

bool memory_file_system::make_folders(const std::string& folder) {
    std::vector<std::string> missing;
    std::string f = folder;
    for (; !f.empty() && disk_.folders.count(f) == 0; f = folder_of(f)) missing.push_back(f);
    if (disk_.read_only.count(f) > 0) return false;
    disk_.folders.insert(missing.begin(), missing.end());
    return true;
}

platform::file_system::lock_result memory_file_system::lock(const std::string& path) {
    if (disk_.locks_unavailable || !can_create_in(folder_of(path))) return lock_result::unavailable;
    const auto [it, made] = disk_.locks.emplace(path, this);
    if (!made && it->second != this) return lock_result::held_elsewhere;
    disk_.files.emplace(path, "");
    return lock_result::taken;
}

void memory_file_system::unlock(const std::string& path) {
    const auto it = disk_.locks.find(path);
    if (it != disk_.locks.end() && it->second == this) disk_.locks.erase(it);
}

std::vector<std::string> memory_file_system::file_names(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& [path, bytes] : disk_.files) {
        if (folder_of(path) == folder) names.push_back(path.substr(folder.size() + 1));
    }
    return names;
}

bool memory_file_system::remove(const std::string& path) { return disk_.files.erase(path) > 0; }

}  // namespace fakes
