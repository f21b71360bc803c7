#include "platform/local_file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iostream>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "fakes/temp_folder.h"

namespace {

namespace fs = std::filesystem;

struct local_file_system_test : ::testing::Test {
    fakes::temp_folder tmp;
    const fs::path& dir = tmp.path();
    platform::local_file_system files;
};

TEST_F(local_file_system_test, ReplaceWritesWholeFileAndLeavesNoTemporary) {
    const std::string path = (dir / "h.dat").string();
    EXPECT_FALSE(files.exists(path));
    ASSERT_TRUE(files.replace_file(path, std::string("\xFF\xFE\0a", 4)));
    ASSERT_TRUE(files.replace_file(path, "xy"));
    EXPECT_EQ(files.read_all(path), "xy");
    EXPECT_EQ(files.size(path), 2u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(local_file_system_test, FailureIsReportedAndKeepsTheOldFile) {
    const std::string path = (dir / "missing" / "h.dat").string();
    std::error_code error;
    EXPECT_FALSE(files.replace_file(path, "x", &error));
    EXPECT_TRUE(error);
    EXPECT_FALSE(files.read_all(path));
    EXPECT_FALSE(files.size(path));
}

TEST_F(local_file_system_test, ASymbolicLinkStaysALinkAndItsTargetIsReplaced) {
    fs::create_directory(dir / "elsewhere");
    const fs::path target = dir / "elsewhere" / "h.dat";
    const std::string link = (dir / "h.dat").string();
    fs::create_symlink("elsewhere/h.dat", link);  // relative, and dangling until the first save
    ASSERT_TRUE(files.replace_file(link, "one"));
    ASSERT_TRUE(files.replace_file(link, "two"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fakes::temp_folder::read_path(target), "two");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "elsewhere"), fs::directory_iterator()), 1);
}

// Whatever else lies at a data file's path is there, but is neither read nor replaced:
// a link of someone else's or in a folder others can write to, a device or a link to
// one, a FIFO, a folder. The file a planted link points to stays as it was. (The device
// is one made here: should the code fail, no device of the machine is replaced.)
TEST_F(local_file_system_test, OnlyRegularFilesAndTheUsersOwnLinksAreReadOrReplaced) {
    tmp.write("secret", "the user's own");
    fs::create_directory(dir / "shared");
    fs::permissions(dir / "shared", fs::perms::all | fs::perms::sticky_bit);
    const bool device = ::mknod(tmp.file("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    fakes::second_user other;
    struct row {
        const char* what;
        std::string path;
        bool possible;
        std::function<void(const std::string&)> make;
    } rows[] = {
        {"a FIFO", tmp.file("fifo"), true, [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
        {"a device", tmp.file("null"), device, [](const std::string&) {}},
        {"a link to a device", tmp.file("to-null"), device,
         [](const std::string& p) { fs::create_symlink("null", p); }},
        {"a folder", tmp.file("folder"), true, [](const std::string& p) { fs::create_directory(p); }},
        {"a link in a folder others write to", (dir / "shared" / "h.dat").string(), true,
         [&](const std::string& p) { fs::create_symlink(tmp.file("secret"), p); }},
        {"another user's link", tmp.file("theirs"), other.available(),
         [&](const std::string& p) {
             fs::create_symlink("secret", p);
             ASSERT_EQ(::lchown(p.c_str(), other.uid(), other.gid()), 0);
         }},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        if (!r.possible) {
            std::cout << "[ SKIPPED  ] " << r.what << ": needs root (a device, a second user)\n";
            continue;
        }
        r.make(r.path);
        const auto type = fs::symlink_status(r.path).type();
        EXPECT_TRUE(files.exists(r.path));
        EXPECT_FALSE(files.size(r.path));
        EXPECT_FALSE(files.read_all(r.path));
        std::error_code error;
        EXPECT_FALSE(files.replace_file(r.path, "planted", &error));
        EXPECT_TRUE(error);
        EXPECT_EQ(fs::symlink_status(r.path).type(), type);
    }
    EXPECT_EQ(tmp.read("secret"), "the user's own");
}

TEST_F(local_file_system_test, ANewFileTakesTheUmasksModeAndAReplacedOneKeepsItsOwn) {
    const std::string path = (dir / "h.dat").string();
    const auto mode = [&] { return fs::status(path).permissions(); };
    using p = fs::perms;
    const mode_t before = ::umask(027);
    EXPECT_TRUE(files.replace_file(path, "new"));
    ::umask(before);
    EXPECT_EQ(mode(), p::owner_read | p::owner_write | p::group_read);
    fs::permissions(path, p::owner_read | p::owner_write | p::others_read);
    EXPECT_TRUE(files.replace_file(path, "again"));
    EXPECT_EQ(mode(), p::owner_read | p::owner_write | p::others_read);
    EXPECT_TRUE(files.make_folders((dir / "a" / "b").string()));
    EXPECT_EQ(fs::status(dir / "a" / "b").permissions(), p::owner_all) << "a data folder made is private";
}

TEST_F(local_file_system_test, AFolderIsSharedWhenAnyoneButTheUserMayWriteToIt) {
    fakes::second_user other;
    using p = fs::perms;
    const p mine = p::owner_all | p::group_read | p::group_exec | p::others_read | p::others_exec;
    struct row {
        const char* what;
        p mode;
        bool others_group, others_folder, shared;
    } rows[] = {
        {"the user's own", mine, false, false, false},
        {"everybody may write", mine | p::others_write, false, false, true},
        {"a sticky folder like the temporary one", p::all | p::sticky_bit, false, false, true},
        {"another group may write", mine | p::group_write, true, false, true},
        {"another user's", mine, false, true, true},
    };
    for (const row& r : rows) {
        const fs::path folder = dir / r.what;
        fs::create_directory(folder);
        fs::permissions(folder, r.mode);
        if (r.others_group || r.others_folder) {
            if (!other.available()) continue;
            ASSERT_EQ(::chown(folder.c_str(), r.others_folder ? other.uid() : -1, other.gid()), 0);
        }
        EXPECT_EQ(files.writable_by_others(folder.string()), r.shared) << r.what;
    }
    EXPECT_TRUE(files.writable_by_others((dir / "missing").string())) << "what cannot be examined is not trusted";
    if (!other.available()) std::cout << "[ SKIPPED  ] other users' folders: no second user can be made without root\n";
}

}  // namespace
