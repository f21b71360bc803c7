#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
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
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return result::unavailable;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        close(fd);
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
