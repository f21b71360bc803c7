#include "platform/file_lock.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <iostream>
#include <string_view>

#include "fakes/temp_folder.h"

namespace {

struct file_lock_test : ::testing::Test {
    fakes::temp_folder tmp;
    const std::filesystem::path& dir = tmp.path();
    static unsigned mode_of(const std::string& p) {
        struct stat st {};
        ::stat(p.c_str(), &st);
        return st.st_mode & 07777;
    }
};

TEST_F(file_lock_test, LockIsHeldUntilItsOwnerGoesOrGivesItUp) {
    const std::string path = (dir / "tallix.lock").string();
    EXPECT_FALSE(platform::lock_held_elsewhere(path));
    {
        platform::file_lock first;
        EXPECT_EQ(first.try_lock(path), platform::file_lock::result::taken);
        EXPECT_TRUE(first.held());
        EXPECT_EQ(mode_of(path), 0600u);
        platform::file_lock second;
        EXPECT_EQ(second.try_lock(path), platform::file_lock::result::held_elsewhere);
        EXPECT_FALSE(second.held());
        EXPECT_TRUE(platform::lock_held_elsewhere(path));
        // Probing leaves the lock to its holder.
        EXPECT_EQ(second.try_lock(path), platform::file_lock::result::held_elsewhere);
        // A holder that gives it up while it lives hands it on.
        first.release();
        EXPECT_EQ(second.try_lock(path), platform::file_lock::result::taken);
    }
    EXPECT_FALSE(platform::lock_held_elsewhere(path));
    platform::file_lock next;
    EXPECT_EQ(next.try_lock(path), platform::file_lock::result::taken);
    platform::file_lock nowhere;
    EXPECT_EQ(nowhere.try_lock((dir / "missing" / "x.lock").string()), platform::file_lock::result::unavailable);
}

// Whoever made a lock file that this user cannot take may be using the folder: the copy
// keeps away from it as from a held lock.
TEST_F(file_lock_test, ALockFileThatCannotBeTakenIsRefused) {
    tmp.write("target", "");
    fakes::second_user other;
    struct row {
        const char* what;
        std::function<void(const std::string&)> make;
    } rows[] = {
        {"a link", [](const std::string& p) { std::filesystem::create_symlink("target", p); }},
        {"a dangling link", [](const std::string& p) { std::filesystem::create_symlink("nowhere", p); }},
        {"a FIFO", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
        {"another user's",
         [&](const std::string& p) {
             tmp.write(std::filesystem::path(p).filename(), "");
             ASSERT_EQ(::chown(p.c_str(), other.uid(), other.gid()), 0);
         }},
    };
    for (const row& r : rows) {
        if (std::string_view(r.what) == "another user's" && !other.available()) {
            std::cout << "[ SKIPPED  ] another user's lock: no second user can be made without root\n";
            continue;
        }
        const std::string path = (dir / r.what).string();
        r.make(path);
        platform::file_lock lock;
        EXPECT_EQ(lock.try_lock(path), platform::file_lock::result::refused) << r.what;
        EXPECT_FALSE(lock.held());
    }
    EXPECT_EQ(tmp.read("target"), "");
}

}  // namespace
