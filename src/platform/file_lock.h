// A lock file that one process at a time holds: the previous-instance test of the link
// between copies and the data folder's owner both rest on it. Part of the local
// implementations of the file-system and link services; plain POSIX.
#pragma once

#include <string>

namespace platform {

// Held from a successful try_lock until the object goes or releases it, and released by
// the kernel whatever way the process ends.
class file_lock {
public:
    file_lock() = default;
    ~file_lock();
    file_lock(const file_lock&) = delete;
    file_lock& operator=(const file_lock&) = delete;

    // Refused: a lock file is there that cannot be taken (a link, another user's, no
    // regular file). Unavailable: none can be made (the folder is missing or cannot be
    // written) or the file system locks nothing.
    enum class result { taken, held_elsewhere, refused, unavailable };
    // Tries to take the lock file at `path` (created 0600 if missing) without waiting.
    result try_lock(const std::string& path);
    bool held() const { return fd_ >= 0; }
    // Gives the lock up; another open of the file can take it from now on.
    void release();

private:
    int fd_ = -1;
};

// True when some other open of the lock file at `path` holds it.
bool lock_held_elsewhere(const std::string& path);

}  // namespace platform
