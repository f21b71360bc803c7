#include "store/data_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/memory_file_system.h"
#include "fakes/temp_folder.h"
#include "platform/local_file_system.h"

namespace {

namespace fs = std::filesystem;

TEST(UserDataFolder, FollowsXdgDataHomeThenHome) {
    struct {
        const char* xdg;
        const char* home;
        std::string want;
    } cases[] = {
        {"/x/data", "/home/u", "/x/data/tallix"},
        {nullptr, "/home/u", "/home/u/.local/share/tallix"},
        {"", "/home/u", "/home/u/.local/share/tallix"},
        {"relative/data", "/home/u", "/home/u/.local/share/tallix"},
        {nullptr, nullptr, ""},
        {nullptr, "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(store::user_data_folder(c.xdg, c.home), c.want);
}

struct choose_test : ::testing::Test {
    fakes::temp_folder dir;
    platform::local_file_system files;
    std::string program = dir.file("bin");
    std::string user = dir.file("data/tallix");
    void SetUp() override { fs::create_directory(program); }
};

TEST_F(choose_test, AWritableProgramFolderKeepsTheFilesAndGainsNothing) {
    EXPECT_EQ(store::choose_data_folder(files, program, user, false), program);
    EXPECT_TRUE(fs::is_empty(program));
    EXPECT_FALSE(fs::exists(user));
}

// Root can write /usr/bin; an installed copy still keeps its files in the user folder.
TEST_F(choose_test, AnInstalledCopyUsesTheUserFolderEvenWhenItsProgramFolderCanBeWritten) {
    EXPECT_EQ(store::choose_data_folder(files, program, user, true), user);
    EXPECT_TRUE(fs::is_directory(user));
    EXPECT_TRUE(fs::is_empty(program));
    EXPECT_EQ(store::choose_data_folder(files, program, "", true), "") << "no user folder: no files at all";
    EXPECT_TRUE(fs::is_empty(program));
}

TEST_F(choose_test, AnInstalledCopyIsOneWithItsMetainfoBesideItsBinFolder) {
    const std::string id = "io.example.calc";
    EXPECT_FALSE(store::installed_copy(files, program, id)) << "a copy in a folder of its own";
    fs::create_directories(dir.path() / "share/metainfo");
    dir.write("share/metainfo/io.example.other.metainfo.xml", "<component/>");
    EXPECT_FALSE(store::installed_copy(files, program, id)) << "another program's metainfo";
    dir.write("share/metainfo/" + id + ".metainfo.xml", "<component/>");
    EXPECT_TRUE(store::installed_copy(files, program, id));
}

TEST_F(choose_test, AProgramFolderThatCannotBeWrittenSendsThemToTheUserFolder) {
    fs::permissions(program, fs::perms::owner_write, fs::perm_options::remove);
    fs::permissions(dir.path(), fs::perms::others_all | fs::perms::group_all, fs::perm_options::add);
    fakes::unprivileged as_user;
    if (!as_user.active()) GTEST_SKIP() << "cannot drop root rights";
    EXPECT_EQ(store::choose_data_folder(files, program, user, false), user);
    EXPECT_TRUE(fs::is_directory(user));
    EXPECT_EQ(store::choose_data_folder(files, dir.file("missing"), user, false), user);
    EXPECT_EQ(store::choose_data_folder(files, dir.file("missing"), "", false), dir.file("missing"));
}

}  // namespace

// One copy owns a data folder; the temporary files of saves cut short, and only those,
// go when it takes the folder.
TEST(DataFolderOwner, OneCopyOwnsTheFolderAndClearsWhatCutShortSavesLeft) {
    fakes::temp_folder dir;
    const std::vector<std::string> data = {"myalldata.dat", "tallix.dat"};
    const char* leftovers[] = {"myalldata.dat.a1B2c3", "tallix.dat.ZZZZZZ"};
    const char* kept[] = {"myalldata.dat",        "myalldata.dat.a1B2c",   "myalldata.dat.a1B2c3d",
                          "myalldata.dat.a1-2c3", "xmyalldata.dat.abcdef", "tallix.dat.bak",
                          "other.dat.abcdef"};
    for (const char* name : leftovers) dir.write(name, "x");
    for (const char* name : kept) dir.write(name, "x");
    platform::local_file_system first, second;
    ASSERT_TRUE(store::claim_data_folder(first, dir.str(), data));
    for (const char* name : leftovers) EXPECT_FALSE(fs::exists(dir.file(name))) << name;
    for (const char* name : kept) EXPECT_TRUE(fs::exists(dir.file(name))) << name;

    dir.write("myalldata.dat.qwerty", "being written by the owner");
    EXPECT_FALSE(store::claim_data_folder(second, dir.str(), data));
    EXPECT_TRUE(fs::exists(dir.file("myalldata.dat.qwerty"))) << "the owner's files are not the second copy's to touch";
    store::release_data_folder(first, dir.str());
    EXPECT_TRUE(store::claim_data_folder(second, dir.str(), data));
    EXPECT_TRUE(store::claim_data_folder(first, (dir.path() / "missing").string(), data))
        << "a folder where no lock can be made is nobody's";
    struct no_lock_expected : platform::local_file_system {
        lock_result lock(const std::string& path) override {
            ADD_FAILURE() << "locked " << path;
            return lock_result::unavailable;
        }
    } keeps_no_files;
    EXPECT_TRUE(store::claim_data_folder(keeps_no_files, "", data)) << "a copy that keeps no files owns no folder";
}

namespace {

// The same rules on the in-memory file system, where a lock can be refused and the
// program folder made read-only for root too.
struct data_folder_rules : ::testing::Test {
    fakes::memory_disk disk;
    fakes::memory_file_system files{disk};
    const std::string program = "/opt/calc/bin", user = "/home/u/.local/share/tallix";
    const std::vector<std::string> data = {"myalldata.dat", "tallix.dat"};
    data_folder_rules() { disk.folders = {"/opt", "/opt/calc", program, "/home", "/home/u"}; }
};

TEST_F(data_folder_rules, TheProgramFolderWhenItCanBeWrittenElseTheUserFolderMadeThen) {
    struct row {
        const char* name;
        bool read_only, installed;
        std::string user_folder, want;
    } rows[] = {
        {"writable, a copy of its own", false, false, user, program},
        {"writable, installed", false, true, user, user},
        {"read-only", true, false, user, user},
        {"read-only, no user folder", true, false, "", program},
        {"installed, no user folder", false, true, "", ""},
    };
    for (const row& r : rows) {
        disk.read_only.clear();
        disk.folders.erase(user);
        if (r.read_only) disk.read_only.insert(program);
        EXPECT_EQ(store::choose_data_folder(files, program, r.user_folder, r.installed), r.want) << r.name;
        EXPECT_EQ(disk.folders.count(user) > 0, r.want == user) << r.name << ": the user folder made only when used";
    }
}

TEST_F(data_folder_rules, AFolderWithoutALockIsNobodysAndKeepsItsFiles) {
    disk.files[program + "/myalldata.dat.a1B2c3"] = "cut short";
    fakes::memory_file_system other{disk};
    disk.locks_unavailable = true;
    EXPECT_TRUE(store::claim_data_folder(files, program, data));
    EXPECT_TRUE(store::claim_data_folder(other, program, data)) << "no lock: neither copy is refused";
    EXPECT_TRUE(disk.files.count(program + "/myalldata.dat.a1B2c3")) << "and neither clears what may be the other's";

    disk.locks_unavailable = false;
    ASSERT_TRUE(store::claim_data_folder(files, program, data));
    EXPECT_FALSE(disk.files.count(program + "/myalldata.dat.a1B2c3")) << "the owner clears it";
    EXPECT_FALSE(store::claim_data_folder(other, program, data));
    store::release_data_folder(files, program);
    EXPECT_TRUE(store::claim_data_folder(other, program, data));
}

}  // namespace
