#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace platform {

file_lock::~file_lock() { release(); }

void file_lock::release() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

file_lock::result file_lock::try_lock(const std::string& path) {
    if (fd_ >= 0) return result::taken;
    // Not blocking, so that a FIFO in the lock's place is opened and turned away.
    constexpr int flags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    int fd = open(path.c_str(), O_RDWR | O_CREAT | flags, 0600);
    // A lock file in a folder that cannot be written is taken through a read-only open.
    if (fd < 0 && (errno == EACCES || errno == EROFS)) fd = open(path.c_str(), O_RDONLY | flags);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? result::unavailable : result::refused;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
        close(fd);
        return result::refused;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        close(fd);
        // A file system without locks gives nobody the lock, like a folder that cannot
        // hold one.
        return err == EWOULDBLOCK ? result::held_elsewhere : result::unavailable;
    }
    fd_ = fd;
    return result::taken;
}

bool lock_held_elsewhere(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);
    return held;
}

}  // namespace platform
