#include "platform/local_file_system.h"

#include <cerrno>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace fs = std::filesystem;

namespace {

struct descriptor {
    int fd;
    explicit descriptor(int f) : fd(f) {}
    ~descriptor() {
        if (fd >= 0) ::close(fd);
    }
    descriptor(const descriptor&) = delete;
    descriptor& operator=(const descriptor&) = delete;
};

bool fail(std::error_code* error) {
    if (error) *error = std::error_code(errno, std::generic_category());
    return false;
}

std::string folder_of(const std::string& path) {
    const std::string parent = fs::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

// A group that only the user is in, named after the user and the user's primary group,
// as Debian's user private groups are: its write bit lets nobody else in.
bool own_private_group(gid_t gid, uid_t me) {
    std::vector<char> buffer(1 << 16);
    passwd account{};
    passwd* found_account = nullptr;
    if (::getpwuid_r(me, &account, buffer.data(), buffer.size() / 2, &found_account) != 0 || !found_account ||
        account.pw_gid != gid)
        return false;
    group members{};
    group* found_group = nullptr;
    char* rest = buffer.data() + buffer.size() / 2;
    if (::getgrgid_r(gid, &members, rest, buffer.size() / 2, &found_group) != 0 || !found_group ||
        std::string_view(members.gr_name) != account.pw_name)
        return false;
    for (char** m = members.gr_mem; *m; ++m) {
        if (std::string_view(*m) != account.pw_name) return false;
    }
    return true;
}

bool others_may_write(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return true;
    const uid_t me = ::geteuid();
    // Root may write anywhere whatever the modes, so a folder of root's adds no one.
    if (st.st_uid != me && st.st_uid != 0) return true;
    if (st.st_mode & S_IWOTH) return true;
    return (st.st_mode & S_IWGRP) && !own_private_group(st.st_gid, me);
}

// What a data file's path leads to once the links that may be followed are.
struct destination {
    enum class kind { nothing, regular, refused };
    std::string path;  // the last path looked at: the file itself unless refused
    kind what = kind::nothing;
    int error = 0;  // why it is refused
};

// Another user's link, or one in a folder others can write to, may have been put there
// to make this program read or overwrite a file it was never meant to touch; the kernel's
// protection of links in shared folders does not help, since the link is read here.
destination follow(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) {
            if (errno == ENOENT) return {path, destination::kind::nothing};
            return {path, destination::kind::refused, errno};
        }
        if (S_ISREG(st.st_mode)) return {path, destination::kind::regular};
        if (!S_ISLNK(st.st_mode)) return {path, destination::kind::refused, S_ISDIR(st.st_mode) ? EISDIR : EINVAL};
        const std::string folder = folder_of(path);
        if (st.st_uid != ::geteuid() || others_may_write(folder)) return {path, destination::kind::refused, EPERM};
        std::error_code ec;
        const fs::path target = fs::read_symlink(path, ec);
        if (ec) return {path, destination::kind::refused, ec.value()};
        path = (target.is_absolute() ? target : fs::path(folder) / target).string();
    }
    return {path, destination::kind::refused, ELOOP};
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

bool read_fully(int fd, char* into, std::size_t size, std::size_t& got) {
    got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, into + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

std::string random_letters() {
    static constexpr char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(alphabet) - 2);
    std::string letters(save_temp_random, 'x');
    for (char& c : letters) c = alphabet[pick(generator)];
    return letters;
}

}  // namespace

bool local_file_system::exists(const std::string& path) const {
    return follow(path).what != destination::kind::nothing;
}

std::optional<std::uintmax_t> local_file_system::size(const std::string& path) const {
    const destination file = follow(path);
    struct stat st {};
    if (file.what != destination::kind::regular || ::lstat(file.path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return static_cast<std::uintmax_t>(st.st_size);
}

std::optional<std::string> local_file_system::read_all(const std::string& path) const {
    const destination file = follow(path);
    if (file.what != destination::kind::regular) return std::nullopt;
    // Not blocking: should a FIFO have taken the file's place since, the open does not
    // wait for a writer, and the check below turns it away.
    const descriptor in(::open(file.path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat st {};
    if (in.fd < 0 || ::fstat(in.fd, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    // Read in one piece of the file's size: grown by doubling, a history of many
    // megabytes would cost a quarter more and leave the smaller pieces behind in the heap.
    std::string bytes;
    if (st.st_size > 0 && static_cast<std::uintmax_t>(st.st_size) < bytes.max_size())
        bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    if (!read_fully(in.fd, bytes.data(), bytes.size(), got)) return std::nullopt;
    bytes.resize(got);
    // Whatever the file grew by meanwhile.
    char more[1 << 16];
    do {
        if (!read_fully(in.fd, more, sizeof more, got)) return std::nullopt;
        bytes.append(more, got);
    } while (got == sizeof more);
    return bytes;
}

// Written beside the target and renamed over it, so a crash or a full disk leaves the
// old file whole. A link that may be followed stays a link: the file it points to is
// replaced, in that file's own folder.
bool local_file_system::replace_file(const std::string& path, const std::string& bytes, std::error_code* error) {
    const destination target = follow(path);
    if (target.what == destination::kind::refused) {
        errno = target.error;
        return fail(error);
    }
    const bool replacing = target.what == destination::kind::regular;
    struct stat old {};
    if (replacing && ::lstat(target.path.c_str(), &old) != 0) return fail(error);
    // A new file gets the mode the umask gives; one that replaces a file is private until
    // it has that file's mode, which may be stricter than the umask's.
    std::string tmp;
    int fd = -1;
    for (int tries = 0; fd < 0 && tries < 100; ++tries) {
        tmp = target.path + std::string(save_temp_mark) + random_letters();
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, replacing ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return fail(error);
    if (replacing) ::fchmod(fd, old.st_mode & 07777);
    const bool written = write_fully(fd, bytes) && ::fsync(fd) == 0;
    const int saved_errno = errno;
    ::close(fd);
    if (!written) {
        ::unlink(tmp.c_str());
        errno = saved_errno;
        return fail(error);
    }
    if (::rename(tmp.c_str(), target.path.c_str()) != 0) {
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

bool local_file_system::writable_by_others(const std::string& folder) const { return others_may_write(folder); }

// Private, as the XDG base directory rules ask of a data folder the program makes.
bool local_file_system::make_folders(const std::string& folder) {
    fs::path made;
    for (const fs::path& part : fs::path(folder)) {
        made /= part;
        ::mkdir(made.c_str(), 0700);
    }
    std::error_code ec;
    return fs::is_directory(folder, ec);
}

file_system::lock_result local_file_system::lock(const std::string& path) {
    auto& held = locks_[path];
    if (!held) held = std::make_unique<file_lock>();
    switch (held->try_lock(path)) {
    case file_lock::result::taken: return lock_result::taken;
    case file_lock::result::held_elsewhere:
    case file_lock::result::refused: return lock_result::held_elsewhere;
    case file_lock::result::unavailable: break;
    }
    return lock_result::unavailable;
}

void local_file_system::unlock(const std::string& path) { locks_.erase(path); }

std::vector<std::string> local_file_system::file_names(const std::string& folder) const {
    std::vector<std::string> names;
    std::error_code ec;
    const uid_t me = ::geteuid();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == me)
            names.push_back(it->path().filename().string());
    }
    return names;
}

bool local_file_system::remove(const std::string& path) {
    std::error_code ec;
    return fs::remove(path, ec);
}

}  // namespace platform
