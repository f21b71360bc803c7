// A real folder for tests that need real files, removed afterwards, and a guard that
// lets a test act as a user the file modes bind: a root test process takes the identity
// of "nobody" while the guard lives, since root writes wherever the modes say no.
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

class unprivileged {
public:
    unprivileged();
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

}  // namespace fakes
