#include "platform/qt/link_folder.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::qt {

namespace {

bool is_users_folder(const std::string& path) {
    struct stat st {};
    return !path.empty() && path.front() == '/' && lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == geteuid();
}

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

}  // namespace

bool make_private_folder(const std::string& path) {
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid()) return false;
    if ((st.st_mode & 07777) != 0700 && chmod(path.c_str(), 0700) != 0) return false;
    return true;
}

std::string link_folder() {
    std::string path;
    const std::string runtime = env("XDG_RUNTIME_DIR");
    if (is_users_folder(runtime)) {
        path = runtime + "/tallix-link";
    } else {
        std::string tmp = env("TMPDIR");
        if (tmp.empty() || tmp.front() != '/') tmp = "/tmp";
        path = tmp + "/tallix-link-" + std::to_string(geteuid());
    }
    return make_private_folder(path) ? path : std::string();
}

instance_lock::~instance_lock() { release(); }

void instance_lock::release() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

instance_lock::result instance_lock::try_lock(const std::string& path) {
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

}  // namespace platform::qt
