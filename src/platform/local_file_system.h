// The file system of this machine; main.cpp makes it for the settings and each save.
#pragma once

#include <map>
#include <memory>

#include "platform/file_lock.h"
#include "platform/file_system.h"

namespace platform {

// The file system of this machine, through the standard library.
class local_file_system : public file_system {
public:
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
    std::map<std::string, std::unique_ptr<file_lock>> locks_;
};

}  // namespace platform
