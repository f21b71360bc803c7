#include "platform/local_file_system.h"

#include <gtest/gtest.h>

#include <filesystem>

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

}  // namespace
