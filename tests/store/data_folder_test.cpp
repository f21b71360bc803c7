#include "store/data_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

#include <unistd.h>

#include "fakes/memory_file_system.h"
#include "fakes/temp_folder.h"
#include "platform/local_file_system.h"
#include "platform/text.h"

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
    EXPECT_EQ(store::choose_data_folder(files, program, user, false).folder, program);
    EXPECT_TRUE(fs::is_empty(program));
    EXPECT_FALSE(fs::exists(user));
}

// Root can write /usr/bin; an installed copy still keeps its files in the user folder.
TEST_F(choose_test, AnInstalledCopyUsesTheUserFolderEvenWhenItsProgramFolderCanBeWritten) {
    EXPECT_EQ(store::choose_data_folder(files, program, user, true).folder, user);
    EXPECT_TRUE(fs::is_directory(user));
    EXPECT_TRUE(fs::is_empty(program));
    EXPECT_EQ(store::choose_data_folder(files, program, "", true).folder, "") << "no user folder: no files at all";
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
    EXPECT_EQ(store::choose_data_folder(files, program, user, false).folder, user);
    EXPECT_TRUE(fs::is_directory(user));
    EXPECT_EQ(store::choose_data_folder(files, dir.file("missing"), user, false).folder, user);
    EXPECT_EQ(store::choose_data_folder(files, program, "", false).folder, program) << "read-only, but root's own";
}

}  // namespace

// One copy owns a data folder; the temporary files of saves cut short, and only those,
// go when it takes the folder: never the user's backups, links, or another user's files.
TEST(DataFolderOwner, OneCopyOwnsTheFolderAndClearsWhatCutShortSavesLeft) {
    fakes::temp_folder dir;
    const std::vector<std::string> data = {"myalldata.dat", "tallix.dat"};
    const char* leftovers[] = {"myalldata.dat.tallix-save-a1B2c3", "tallix.dat.tallix-save-ZZZZZZ"};
    const char* kept[] = {"myalldata.dat",
                          "myalldata.dat.backup",
                          "tallix.dat.before",
                          "myalldata.dat.tallix-save-a1B2c",
                          "myalldata.dat.tallix-save-a1B2c3d",
                          "myalldata.dat.tallix-save-a1-2c3",
                          "xmyalldata.dat.tallix-save-abcdef",
                          "other.dat.tallix-save-abcdef"};
    for (const char* name : leftovers) dir.write(name, "x");
    for (const char* name : kept) dir.write(name, "x");
    fs::create_symlink("myalldata.dat.backup", dir.file("myalldata.dat.tallix-save-linkme"));
    fakes::second_user other;
    if (other.available()) {
        dir.write("tallix.dat.tallix-save-others", "x");
        ASSERT_EQ(::chown(dir.file("tallix.dat.tallix-save-others").c_str(), other.uid(), other.gid()), 0);
    }
    platform::local_file_system first, second;
    ASSERT_TRUE(store::claim_data_folder(first, dir.str(), data));
    for (const char* name : leftovers) EXPECT_FALSE(fs::exists(dir.file(name))) << name;
    for (const char* name : kept) EXPECT_TRUE(fs::exists(dir.file(name))) << name;
    EXPECT_TRUE(fs::is_symlink(dir.file("myalldata.dat.tallix-save-linkme"))) << "a link is not the program's";
    if (other.available()) EXPECT_TRUE(fs::exists(dir.file("tallix.dat.tallix-save-others")));
    else std::cout << "[ SKIPPED  ] another user's file: no second user can be made without root\n";

    dir.write("myalldata.dat.tallix-save-qwerty", "being written by the owner");
    EXPECT_FALSE(store::claim_data_folder(second, dir.str(), data));
    EXPECT_TRUE(fs::exists(dir.file("myalldata.dat.tallix-save-qwerty")))
        << "the owner's files are not the second copy's to touch";
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

// A folder that other users can write to is passed over, and the tip says where the
// files went or that none are kept.
TEST_F(data_folder_rules, TheProgramFolderWhenItCanBeWrittenElseTheUserFolderMadeThen) {
    const std::u16string moved =
        u"温馨提示:其他用户也能写入程序所在的文件夹，设置和历史记录保存在 " + platform::to_u16(user);
    const std::u16string none_of_program =
        u"温馨提示:其他用户也能写入文件夹 /opt/calc/bin，本次运行不读取也不保存设置和历史记录";
    struct row {
        const char* name;
        bool read_only, installed;
        std::vector<std::string> shared;
        std::string user_folder, want;
        std::u16string tip;
    } rows[] = {
        {"writable, a copy of its own", false, false, {}, user, program, u""},
        {"writable, installed", false, true, {}, user, user, u""},
        {"read-only", true, false, {}, user, user, u""},
        {"read-only, no user folder", true, false, {}, "", program, u""},
        {"installed, no user folder", false, true, {}, "", "", u""},
        {"shared", false, false, {program}, user, user, moved},
        {"shared, no user folder", false, false, {program}, "", "", none_of_program},
        {"shared and read-only, no user folder", true, false, {program}, "", "", none_of_program},
        {"shared, installed", false, true, {program}, user, user, u""},
        {"a shared user folder",
         true,
         false,
         {user},
         user,
         "",
         u"温馨提示:其他用户也能写入文件夹 " + platform::to_u16(user) + u"，本次运行不读取也不保存设置和历史记录"},
    };
    for (const row& r : rows) {
        disk.read_only.clear();
        disk.folders.erase(user);
        if (r.read_only) disk.read_only.insert(program);
        disk.shared = {r.shared.begin(), r.shared.end()};
        const auto choice = store::choose_data_folder(files, program, r.user_folder, r.installed);
        EXPECT_EQ(choice.folder, r.want) << r.name;
        EXPECT_EQ(store::data_folder_tip(choice), r.tip) << r.name;
        EXPECT_EQ(disk.folders.count(user) > 0, r.want == user || r.shared == std::vector{user})
            << r.name << ": the user folder made only when used";
    }
}

TEST_F(data_folder_rules, AFolderWithoutALockIsNobodysAndKeepsItsFiles) {
    disk.files[program + "/myalldata.dat.tallix-save-a1B2c3"] = "cut short";
    fakes::memory_file_system other{disk};
    disk.locks_unavailable = true;
    EXPECT_TRUE(store::claim_data_folder(files, program, data));
    EXPECT_TRUE(store::claim_data_folder(other, program, data)) << "no lock: neither copy is refused";
    EXPECT_TRUE(disk.files.count(program + "/myalldata.dat.tallix-save-a1B2c3"))
        << "and neither clears what may be the other's";

    disk.locks_unavailable = false;
    ASSERT_TRUE(store::claim_data_folder(files, program, data));
    EXPECT_FALSE(disk.files.count(program + "/myalldata.dat.tallix-save-a1B2c3")) << "the owner clears it";
    EXPECT_FALSE(store::claim_data_folder(other, program, data));
    store::release_data_folder(files, program);
    EXPECT_TRUE(store::claim_data_folder(other, program, data));
}

}  // namespace
