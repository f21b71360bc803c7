// The file-system service: whole-file reads and atomic writes of the data files, the
// data folder's lock and its listing. The real one is plain C++ file I/O
// (platform/local_file_system.cpp); tests use it on a temporary folder, or the in-memory
// fake (tests/fakes/memory_file_system.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace platform {

// What a temporary file made while replacing a file is called: the file's name, this
// mark, six letters or digits: a name that neither the user nor other programs have
// reason to give a file, so the start-up cleaning can tell what a save cut short left.
inline constexpr std::string_view save_temp_mark = ".tallix-save-";
inline constexpr std::size_t save_temp_random = 6;

// A symbolic link on the way to a data file is followed only when it is the user's own and
// lies in a folder nobody else can write to; any other link, a device, a FIFO or a folder
// in a data file's place is something that is there but is never read or replaced.
class file_system {
public:
    virtual ~file_system() = default;
    // Whether anything is at the path, through the links followed; false when nothing is,
    // also when a followed link points to nothing yet.
    virtual bool exists(const std::string& path) const = 0;
    // The size in bytes of a regular file, or nothing when it cannot be examined or is no
    // regular file.
    virtual std::optional<std::uintmax_t> size(const std::string& path) const = 0;
    // The whole regular file's bytes, or nothing when it cannot be read or is no regular
    // file (never waits for a FIFO's writer).
    virtual std::optional<std::string> read_all(const std::string& path) const = 0;
    // Replaces the whole regular file atomically, or creates it (with the mode the umask
    // gives): afterwards it holds either its old bytes or the new ones, never a mix.
    // Returns false when it failed or something other than a regular file is there;
    // `error` then tells why (permission, disk full, ...) so callers can explain it.
    virtual bool replace_file(const std::string& path, const std::string& bytes, std::error_code* error = nullptr) = 0;
    // Whether a new file can be created in the folder now (tried, not guessed from modes).
    virtual bool can_create_in(const std::string& folder) = 0;
    // Whether anyone but this user can change what the folder holds: it is another user's
    // (root aside), or its group (unless the user's own private group) or everybody may
    // write to it. True also when the folder cannot be examined.
    virtual bool writable_by_others(const std::string& folder) const = 0;
    // Creates the folder and its missing parents, private to the user; true when it
    // exists afterwards.
    virtual bool make_folders(const std::string& folder) = 0;

    // Takes the lock file at the path (made if missing) for as long as this object lives
    // or until unlock: one process at a time holds it. Held elsewhere also when a lock
    // file is there that cannot be taken (a link, another user's, no regular file):
    // whoever put it there may be using the folder. Unavailable: no lock file can be made
    // there (a folder that is missing or cannot be written).
    enum class lock_result { taken, held_elsewhere, unavailable };
    virtual lock_result lock(const std::string& path) = 0;
    virtual void unlock(const std::string& path) = 0;
    // The names of the user's own regular files in a folder (links not followed), in no
    // order; none when it cannot be read.
    virtual std::vector<std::string> file_names(const std::string& folder) const = 0;
    // Deletes a file; false when it could not.
    virtual bool remove(const std::string& path) = 0;
};

// Makes a file system for one use; the logic takes a fresh one for each restore and save.
using file_system_factory = std::function<std::unique_ptr<file_system>()>;

}  // namespace platform
