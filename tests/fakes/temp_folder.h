// A real folder for tests that need real files, removed afterwards; a guard that lets a
// test act as a user the file modes bind: a root test process takes the identity of
// "nobody" (or another user) while the guard lives, since root writes wherever the modes
// say no; and a second user account.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <sys/types.h>

namespace fakes {

class temp_folder {
public:
    temp_folder();
    ~temp_folder();
    temp_folder(const temp_folder&) = delete;
    temp_folder& operator=(const temp_folder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    // Bytes of a file, or "<missing>".
    std::string read(const std::string& name) const { return read_path(path_ / name); }
    static std::string read_path(const std::filesystem::path& file);
    void write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

// As another user: "nobody" unless told which.
class unprivileged {
public:
    explicit unprivileged(uid_t uid = 65534, gid_t gid = 65534);
    ~unprivileged();
    unprivileged(const unprivileged&) = delete;
    unprivileged& operator=(const unprivileged&) = delete;
    // False when the process is root and could not give up its rights; the modes then
    // do not bind it and the test has nothing to check.
    bool active() const { return active_; }

private:
    void restore();
    bool switched_ = false;
    bool active_ = true;
    std::vector<gid_t> groups_;
};

// A user account of its own, made with useradd for as long as the object lives, for the
// cases where files of another user than the one running the program matter. Only root
// can make one; available() tells whether there is one.
class second_user {
public:
    second_user();
    ~second_user();
    second_user(const second_user&) = delete;
    second_user& operator=(const second_user&) = delete;
    bool available() const { return made_; }
    uid_t uid() const { return uid_; }
    gid_t gid() const { return gid_; }

private:
    std::string name_;
    bool made_ = false;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
};

}  // namespace fakes
