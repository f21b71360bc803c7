// An in-memory file system for the data-folder and storage rules: files and folders in a
// shared `memory_disk`, so that two file systems on one disk stand for two running
// copies and contend for its locks. Folders can be made read-only or shared with other
// users, and locks refused.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/file_system.h"

namespace fakes {

struct memory_disk {
    std::map<std::string, std::string> files;  // path: bytes
    std::set<std::string> folders;
    std::set<std::string> read_only;           // folders where nothing can be created
    std::set<std::string> shared;              // folders that other users can write to
    bool locks_unavailable = false;            // no lock file can be made anywhere
    std::map<std::string, const void*> locks;  // lock path: the file system holding it
};

class memory_file_system : public platform::file_system {
public:
    explicit memory_file_system(memory_disk& disk) : disk_(disk) {}
    ~memory_file_system() override;

    bool exists(const std::string& path) const override;
    std::optional<std::uintmax_t> size(const std::string& path) const override;
    std::optional<std::string> read_all(const std::string& path) const override;
    bool replace_file(const std::string& path, const std::string& bytes, std::error_code* error = nullptr) override;
    bool can_create_in(const std::string& folder) override;
    bool writable_by_others(const std::string& folder) const override;
    bool make_folders(const std::string& folder) override;
    lock_result lock(const std::string& path) override;
    void unlock(const std::string& path) override;
    std::vector<std::string> file_names(const std::string& folder) const override;
    bool remove(const std::string& path) override;

private:
    memory_disk& disk_;
};

}  // namespace fakes
