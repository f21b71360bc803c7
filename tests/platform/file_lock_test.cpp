#include "platform/file_lock.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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

}  // namespace
