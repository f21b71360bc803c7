#include "platform/local_file_system.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace fs = std::filesystem;

bool local_file_system::exists(const std::string& path) const {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

std::optional<std::uintmax_t> local_file_system::size(const std::string& path) const {
    std::error_code ec;
    const auto n = fs::file_size(path, ec);
    if (ec) return std::nullopt;
    return n;
}

std::optional<std::string> local_file_system::read_all(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    // Read in one piece of the file's size: grown by doubling, a history of many
    // megabytes would cost a quarter more and leave the smaller pieces behind in the heap.
    std::error_code ec;
    const std::uintmax_t expected = fs::file_size(path, ec);
    std::string bytes;
    if (!ec && expected > 0 && expected < bytes.max_size()) {
        bytes.resize(static_cast<std::size_t>(expected));
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        if (in.bad()) return std::nullopt;
        in.clear();
    }
    // Whatever the file grew by meanwhile, or all of a file whose size is not told.
    bytes.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

namespace {

bool fail(std::error_code* error) {
    if (error) *error = std::error_code(errno, std::generic_category());
    return false;
}

// The file that a path names once its symbolic links are followed; the path itself when
// it is no link, or when the links go round in a circle.
std::string link_target(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(path, ec)) return path;
        const fs::path target = fs::read_symlink(path, ec);
        if (ec) return path;
        path = (target.is_absolute() ? target : fs::path(path).parent_path() / target).string();
    }
    return path;
}

bool write_fully(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

// Written beside the target and renamed over it, so a crash or a full disk leaves the
// old file whole. A symbolic link stays a link: the file it points to is replaced, in
// that file's own folder.
bool local_file_system::replace_file(const std::string& link, const std::string& bytes, std::error_code* error) {
    const std::string path = link_target(link);
    std::string tmp = path + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) return fail(error);
    // The new file keeps the mode of the one it replaces (mkstemp makes it private).
    struct stat old {};
    ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    const bool written = write_fully(fd, bytes) && ::fsync(fd) == 0;
    const int saved_errno = errno;
    ::close(fd);
    if (!written) {
        ::unlink(tmp.c_str());
        errno = saved_errno;
        return fail(error);
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        const int e = errno;
        ::unlink(tmp.c_str());
        errno = e;
        return fail(error);
    }
    return true;
}

// Root may write where the modes say no, and a read-only mount says no whatever the
// modes say: only creating a file tells.
bool local_file_system::can_create_in(const std::string& folder) {
    std::string probe = folder + "/.tallix-probe.XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

bool local_file_system::make_folders(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    return fs::is_directory(folder, ec);
}

file_system::lock_result local_file_system::lock(const std::string& path) {
    auto& held = locks_[path];
    if (!held) held = std::make_unique<file_lock>();
    switch (held->try_lock(path)) {
    case file_lock::result::taken: return lock_result::taken;
    case file_lock::result::held_elsewhere: return lock_result::held_elsewhere;
    case file_lock::result::unavailable: break;
    }
    return lock_result::unavailable;
}

void local_file_system::unlock(const std::string& path) { locks_.erase(path); }

std::vector<std::string> local_file_system::file_names(const std::string& folder) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec)) names.push_back(it->path().filename().string());
    }
    return names;
}

bool local_file_system::remove(const std::string& path) {
    std::error_code ec;
    return fs::remove(path, ec);
}

}  // namespace platform
