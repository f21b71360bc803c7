#include "store/inisettings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/calc_design.h"
#include "fakes/temp_folder.h"
#include "platform/local_file_system.h"
#include "platform/text.h"
#include "store/profile.h"

namespace {

namespace fs = std::filesystem;

struct inisettings_test : ::testing::Test {
    fakes::temp_folder dir;
    platform::local_file_system files;
    store::settings_file where{dir.str(), "tallix"};

    std::u16string read(const std::u16string& key, const std::u16string& fallback = u"") {
        return store::read_setting(files, where, key, fallback);
    }
    bool write(const std::u16string& key, const std::u16string& value) {
        return store::write_setting(files, where, key, value);
    }
    std::string file() const { return dir.read("tallix.dat"); }
};

TEST_F(inisettings_test, FirstShutDownCreatesSectionThenTextreThenTextcalc) {
    EXPECT_EQ(read(u"textre"), u"");
    EXPECT_EQ(read(u"textcalc"), u"");
    EXPECT_TRUE(write(u"textre", u"3"));
    EXPECT_TRUE(write(u"textcalc", u"1+2"));
    EXPECT_EQ(file(), "[tallix]\r\ntextre=3\r\ntextcalc=1+2\r\n");
    EXPECT_EQ(read(u"textre"), u"3");
    EXPECT_EQ(read(u"textcalc"), u"1+2");
}

TEST_F(inisettings_test, SectionAndFileFollowTheExecutableName) {
    where.exe_name = "calc2";
    EXPECT_TRUE(write(u"k", u"v"));
    EXPECT_EQ(dir.read("calc2.dat"), "[calc2]\r\nk=v\r\n");
}

TEST_F(inisettings_test, KeysAreTrimmedOfSpaces) {
    EXPECT_TRUE(write(u" textre ", u"42"));
    EXPECT_EQ(read(u"textre"), u"42");
    EXPECT_TRUE(write(u"textre", u"43"));
    EXPECT_EQ(read(u"  textre"), u"43");
    EXPECT_EQ(file(), "[tallix]\r\ntextre=43\r\n");
}

TEST_F(inisettings_test, BlankOrUnstorableKeysAreRefusedAndTouchNothing) {
    for (const char16_t* key : {u"", u"   ", u"a=b", u"[x", u"a\r\nb", u"textcalc:lines", u"X:LINES"}) {
        EXPECT_FALSE(write(key, u"v")) << platform::to_utf8(key);
        EXPECT_EQ(read(key, u"dflt"),
                  std::u16string(key).find_first_not_of(u' ') == std::u16string::npos ? u"" : u"dflt");
    }
    EXPECT_EQ(file(), "<missing>");
}

TEST_F(inisettings_test, StoredEmptyValueBeatsTheDefaultAMissingKeyDoesNot) {
    EXPECT_TRUE(write(u"textre", u""));
    EXPECT_EQ(read(u"textre", u"dflt"), u"");
    EXPECT_EQ(read(u"absent", u"dflt"), u"dflt");
    EXPECT_EQ(read(u"absent"), u"");
}

TEST_F(inisettings_test, ValuesComeBackWholeAndUnchanged) {
    const std::u16string values[] = {
        std::u16string(5000, u'9'),
        u"  spaces around  ",
        u"π≈3.14 ▲ sin<30>",
        u"a\\nb",
        u"\\",
        u"x=y;z",
        u"[not a header]",
        std::u16string(u"nul\0inside", 10),
    };
    for (const auto& v : values) {
        ASSERT_TRUE(write(u"textcalc", v));
        EXPECT_EQ(read(u"textcalc"), v);
    }
    // A value without a line break keeps the plain key=value form byte for byte.
    ASSERT_TRUE(write(u"textcalc", u"a\\nb"));
    EXPECT_EQ(file(), "[tallix]\r\ntextcalc=a\\nb\r\n");
}

TEST_F(inisettings_test, MultiLineValuesSurviveWithoutAddingLines) {
    ASSERT_TRUE(write(u"textre", u"3"));
    ASSERT_TRUE(write(u"textcalc", u"1+\r\n2\\n\r\n[evil]\r\ntextre=0\n\rend"));
    EXPECT_EQ(file(), "[tallix]\r\ntextre=3\r\ntextcalc:lines=1+\\r\\n2\\\\n\\r\\n[evil]\\r\\ntextre=0\\n\\rend\r\n");
    EXPECT_EQ(read(u"textcalc"), u"1+\r\n2\\n\r\n[evil]\r\ntextre=0\n\rend");
    EXPECT_EQ(read(u"textre"), u"3");
    // Back to one line: the plain key takes the multi-line entry's place.
    ASSERT_TRUE(write(u"textcalc", u"7"));
    EXPECT_EQ(file(), "[tallix]\r\ntextre=3\r\ntextcalc=7\r\n");
}

TEST_F(inisettings_test, AHandEditedFileKeepsItsOtherLines) {
    dir.write("tallix.dat",
              "; my notes\r\n[Other]\r\ntextre=not mine\r\n\r\n[TALLIX]\r\n# kept\r\nTextRe = 1\r\nextra=yes\r\n\r\n"
              "[last]\nz=1\n");
    EXPECT_EQ(read(u"textre"), u" 1");
    ASSERT_TRUE(write(u"textre", u"2"));
    ASSERT_TRUE(write(u"textcalc", u"1+1"));
    EXPECT_EQ(file(),
              "; my notes\r\n[Other]\r\ntextre=not mine\r\n\r\n[TALLIX]\r\n# kept\r\ntextre=2\r\nextra=yes\r\n"
              "textcalc=1+1\r\n\r\n[last]\r\nz=1\r\n");
}

TEST_F(inisettings_test, BrokenBytesReadWithoutHarm) {
    dir.write("tallix.dat", "\xEF\xBB\xBF[tallix]\ntextre=\xFF\xC3\n");
    EXPECT_EQ(read(u"textre"), u"\uFFFD\uFFFD");
    EXPECT_TRUE(write(u"textcalc", u"x"));
    EXPECT_EQ(file(), "\xEF\xBB\xBF[tallix]\r\ntextre=\xFF\xC3\r\ntextcalc=x\r\n");
}

TEST_F(inisettings_test, AFolderThatCannotBeWrittenReportsFalseAndKeepsTheLastValues) {
    ASSERT_TRUE(write(u"textre", u"old"));
    fs::permissions(dir.path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    fakes::unprivileged as_user;
    if (!as_user.active()) GTEST_SKIP() << "cannot drop root rights";
    EXPECT_FALSE(write(u"textre", u"new"));
    EXPECT_FALSE(write(u"textcalc", u"1+2"));
    EXPECT_EQ(read(u"textre"), u"old");
    EXPECT_EQ(read(u"textcalc", u"dflt"), u"dflt");
}

TEST_F(inisettings_test, AnUnreadableFileIsNeitherReadNorReplaced) {
    dir.write("tallix.dat", "[tallix]\r\ntextre=mine\r\n[keep]\r\na=1\r\n");
    fs::permissions(dir.file("tallix.dat"), fs::perms::none);
    {
        fakes::unprivileged as_user;
        if (!as_user.active()) GTEST_SKIP() << "cannot drop root rights";
        EXPECT_EQ(read(u"textre"), u"");
        EXPECT_FALSE(write(u"textre", u"new"));
    }
    fs::permissions(dir.file("tallix.dat"), fs::perms::owner_read);
    EXPECT_EQ(file(), "[tallix]\r\ntextre=mine\r\n[keep]\r\na=1\r\n");
}

}  // namespace

namespace {

// The largest settings tallix writes, a full formula box and a full result box of
// characters that take three bytes each, stay within what it reads back.
TEST_F(inisettings_test, TheLargestSettingsTallixWritesAreReadBack) {
    const std::u16string full(static_cast<std::size_t>(app::max_formula_length), u'字');
    ASSERT_TRUE(write(u"textre", full));
    ASSERT_TRUE(write(u"textcalc", full.substr(1) + u"\r"));
    EXPECT_FALSE(store::settings_too_large(files, where));
    EXPECT_EQ(read(u"textre"), full);
    EXPECT_EQ(read(u"textcalc"), full.substr(1) + u"\r");
    fs::resize_file(where.path(), store::profile::max_file_size + 1);
    EXPECT_TRUE(store::settings_too_large(files, where));
    EXPECT_EQ(read(u"textre", u"fallback"), u"fallback");
    EXPECT_FALSE(write(u"textre", u"1"));
    EXPECT_EQ(fs::file_size(where.path()), store::profile::max_file_size + 1);
}

}  // namespace
