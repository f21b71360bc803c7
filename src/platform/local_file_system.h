#pragma once

#include "platform/file_system.h"

namespace platform {

// The file system of this machine, through the standard library.
class local_file_system : public file_system {
public:
    bool exists(const std::string& path) const override;
    std::optional<std::uintmax_t> size(const std::string& path) const override;
    std::optional<std::string> read_all(const std::string& path) const override;
    bool replace_all(const std::string& path, const std::string& bytes,
                     std::error_code* error = nullptr) override;
    bool can_create_in(const std::string& folder) override;
    bool make_folders(const std::string& folder) override;
};

}  // namespace platform
