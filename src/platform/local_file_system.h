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
                     std::string* reason = nullptr) override;
};

}  // namespace platform
