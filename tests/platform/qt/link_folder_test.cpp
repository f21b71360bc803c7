#include "platform/qt/link_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "fakes/temp_folder.h"

namespace {

namespace fs = std::filesystem;

unsigned mode_of(const fs::path& p) {
    struct stat st {};
    return lstat(p.c_str(), &st) == 0 ? st.st_mode & 07777 : 0xFFFF;
}

// Sets an environment variable for the life of the object.
struct scoped_env {
    std::string name;
    std::optional<std::string> old;
    scoped_env(std::string n, const char* value) : name(std::move(n)) {
        if (const char* v = std::getenv(name.c_str())) old = v;
        value ? setenv(name.c_str(), value, 1) : unsetenv(name.c_str());
    }
    ~scoped_env() { old ? setenv(name.c_str(), old->c_str(), 1) : unsetenv(name.c_str()); }
};

struct link_folder_test : ::testing::Test {
    fakes::temp_folder tmp;
    const fs::path& dir = tmp.path();
};

TEST_F(link_folder_test, PrivateFolderIsMadeOrTightenedToTheUserOnly) {
    const fs::path made = dir / "made";
    ASSERT_TRUE(platform::qt::make_private_folder(made.string()));
    EXPECT_EQ(mode_of(made), 0700u);

    const fs::path loose = dir / "loose";
    fs::create_directory(loose);
    chmod(loose.c_str(), 0777);
    ASSERT_TRUE(platform::qt::make_private_folder(loose.string()));
    EXPECT_EQ(mode_of(loose), 0700u);
}

TEST_F(link_folder_test, SomethingElseInThePlaceOfTheFolderIsRefused) {
    std::ofstream(dir / "file") << "x";
    fs::create_directory(dir / "target");
    fs::create_directory_symlink(dir / "target", dir / "link");
    EXPECT_FALSE(platform::qt::make_private_folder((dir / "file").string()));
    EXPECT_FALSE(platform::qt::make_private_folder((dir / "link").string()));
    EXPECT_FALSE(platform::qt::make_private_folder((dir / "missing" / "deeper").string()));
    EXPECT_NE(mode_of(dir / "target"), 0700u);
}

TEST_F(link_folder_test, RuntimeFolderIsUsedWhenSetAndATemporaryOneOtherwise) {
    const scoped_env tmpdir("TMPDIR", dir.c_str());
    {
        const fs::path runtime = dir / "runtime";
        fs::create_directory(runtime);
        const scoped_env xdg("XDG_RUNTIME_DIR", runtime.c_str());
        EXPECT_EQ(platform::qt::link_folder(), (runtime / "tallix-link").string());
        EXPECT_EQ(mode_of(runtime / "tallix-link"), 0700u);
    }
    const std::string fallback = (dir / ("tallix-link-" + std::to_string(geteuid()))).string();
    for (const char* xdg : {static_cast<const char*>(nullptr), "", "relative/dir", "/nonexistent/runtime"}) {
        const scoped_env env("XDG_RUNTIME_DIR", xdg);
        EXPECT_EQ(platform::qt::link_folder(), fallback) << (xdg ? xdg : "(unset)");
    }
    EXPECT_EQ(mode_of(fallback), 0700u);
}

}  // namespace
