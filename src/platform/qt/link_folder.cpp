#include "platform/qt/link_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>

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

}  // namespace platform::qt
