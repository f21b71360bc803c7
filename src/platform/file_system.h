// The file-system service: whole-file reads and atomic writes of the data files, the
// data folder's lock and its listing. The real one is plain C++ file I/O
// (platform/local_file_system.cpp); tests use it on a temporary folder, or the in-memory
// fake (tests/fakes/memory_file_system.h).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace platform {

class file_system {
public:
    virtual ~file_system() = default;
    virtual bool exists(const std::string& path) const = 0;
    // The size in bytes, or nothing when the file cannot be examined.
    virtual std::optional<std::uintmax_t> size(const std::string& path) const = 0;
    // The whole file's bytes, or nothing when it cannot be read.
    virtual std::optional<std::string> read_all(const std::string& path) const = 0;
    // Replaces the whole file atomically: afterwards it holds either its old bytes or
    // the new ones, never a mix. Returns false when it failed; `error` then tells why
    // (permission, disk full, ...) so callers can explain it.
    virtual bool replace_file(const std::string& path, const std::string& bytes, std::error_code* error = nullptr) = 0;
    // Whether a new file can be created in the folder now (tried, not guessed from modes).
    virtual bool can_create_in(const std::string& folder) = 0;
    // Creates the folder and its missing parents; true when it exists afterwards.
    virtual bool make_folders(const std::string& folder) = 0;

    // Takes the lock file at the path (made if missing) for as long as this object lives
    // or until unlock: one process at a time holds it. Unavailable: no lock file can be
    // made there (a folder that is missing or cannot be written).
    enum class lock_result { taken, held_elsewhere, unavailable };
    virtual lock_result lock(const std::string& path) = 0;
    virtual void unlock(const std::string& path) = 0;
    // The names of the files in a folder, in no order; none when it cannot be read.
    virtual std::vector<std::string> file_names(const std::string& folder) const = 0;
    // Deletes a file; false when it could not.
    virtual bool remove(const std::string& path) = 0;
};

// Makes a file system for one use; the logic takes a fresh one for each restore and save.
using file_system_factory = std::function<std::unique_ptr<file_system>()>;

}  // namespace platform
