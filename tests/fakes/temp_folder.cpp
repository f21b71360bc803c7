#include "fakes/temp_folder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fakes {

namespace fs = std::filesystem;

temp_folder::temp_folder() {
    std::string pattern = (fs::temp_directory_path() / "tallix-test.XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    // Reachable by the unprivileged identity, writable by the owner only.
    fs::permissions(path_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);
}

temp_folder::~temp_folder() {
    std::error_code ec;
    for (auto& entry : fs::recursive_directory_iterator(path_, ec))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string temp_folder::read_path(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return "<missing>";
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void temp_folder::write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    fs::permissions(path_ / name,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
}

// The groups go too: root's group would otherwise still open what the group bits allow.
unprivileged::unprivileged(uid_t uid, gid_t gid) {
    if (::geteuid() != 0) return;
    groups_.resize(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
    groups_.resize(
        static_cast<std::size_t>(std::max(::getgroups(static_cast<int>(groups_.size()), groups_.data()), 0)));
    switched_ = ::setgroups(0, nullptr) == 0 && ::setegid(gid) == 0 && ::seteuid(uid) == 0;
    active_ = switched_;
    if (!switched_) restore();
}

unprivileged::~unprivileged() {
    if (switched_) restore();
}

void unprivileged::restore() {
    if (::geteuid() != 0 && ::seteuid(0) != 0) std::abort();
    if (::setegid(0) != 0 || ::setgroups(groups_.size(), groups_.data()) != 0) std::abort();
}

second_user::second_user() : name_("tallixt" + std::to_string(::getpid())) {
    if (::geteuid() != 0) return;
    const std::string add = "useradd --system --no-create-home --user-group --shell /usr/sbin/nologin " + name_;
    if (std::system((add + " >/dev/null 2>&1").c_str()) != 0) return;
    made_ = true;
    if (const passwd* account = ::getpwnam(name_.c_str())) {
        uid_ = account->pw_uid;
        gid_ = account->pw_gid;
    } else {
        made_ = false;
    }
}

second_user::~second_user() {
    if (!made_ && !::getpwnam(name_.c_str())) return;
    if (std::system(("userdel " + name_ + " >/dev/null 2>&1").c_str()) != 0) {}
}

}  // namespace fakes
