#include "store/history_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "fakes/temp_folder.h"
#include "platform/local_file_system.h"

namespace {

namespace fs = std::filesystem;
using outcome = store::history_read::outcome;

std::string bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s.push_back(static_cast<char>(b));
    return s;
}

TEST(HistoryEncoding, OneRecordedEntryIsEighteenBytes) {
    EXPECT_EQ(store::encode_history(u"\r\n▲1+2=3"),
              bytes({0xFF, 0xFE, 0x0D, 0, 0x0A, 0, 0xB2, 0x25, 0x31, 0, 0x2B, 0, 0x32, 0, 0x3D, 0, 0x33, 0}));
    EXPECT_EQ(store::encode_history(u""), bytes({0xFF, 0xFE}));
    EXPECT_EQ(store::encode_history(u"x").size(), 4u);
}

// What a text editor may have left is read as text; what is no text at all is not.
TEST(HistoryEncoding, DecodingTakesWhatItCan) {
    struct {
        const char* what;
        std::string file;
        std::optional<std::u16string> text;
    } cases[] = {
        {"mark and text", bytes({0xFF, 0xFE, 0x41, 0, 0x0D, 0, 0x0A, 0}), u"A\r\n"},
        {"no mark", bytes({0x41, 0, 0x42, 0}), u"AB"},
        {"odd byte count", bytes({0xFF, 0xFE, 0x41, 0, 0x42}), u"A\uFFFD"},
        {"unpaired surrogates stay", bytes({0xFF, 0xFE, 0x00, 0xD8, 0x41, 0, 0x00, 0xDC}),
         u"\xD800"
         u"A"
         u"\xDC00"},
        {"pair", bytes({0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}), u"\U0001F600"},
        {"mark alone", bytes({0xFF, 0xFE}), u""},
        {"big-endian with its mark", bytes({0xFE, 0xFF, 0, 0x0D, 0, 0x0A, 0x25, 0xB2, 0, 0x31}), u"\r\n▲1"},
        {"big-endian without", bytes({0, 0x0D, 0, 0x0A, 0x25, 0xB2, 0, 0x31}), u"\r\n▲1"},
        {"UTF-8 with its mark",
         "\xEF\xBB\xBF\r\n\xE2\x96\xB2"
         "1+2=3",
         u"\r\n▲1+2=3"},
        {"UTF-8 without",
         "\r\n\xE2\x96\xB2"
         "1+2=3",
         u"\r\n▲1+2=3"},
        {"an executable", bytes({0x7F, 'E', 'L', 'F', 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0x3E, 0}),
         std::nullopt},
        {"Latin-1", "caf\xE9 cr\xE8me", std::nullopt},
        {"random bytes", bytes({0x9C, 0x21, 0x00, 0xD9, 0x41, 0x00, 0x5E, 0x03, 0xB7, 0x12}), std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(store::decode_history(c.file), c.text) << c.what;
    const std::u16string odd = u"\xDBFF\r\n▲x";
    EXPECT_EQ(store::decode_history(store::encode_history(odd)), odd);
}

struct history_files : ::testing::Test {
    fakes::temp_folder dir;
    platform::local_file_system files;
    std::string path = dir.file(store::history_file_name);
};

TEST_F(history_files, OnlyFilesLargerThanThreeBytesAndWithinTheLimitAreRead) {
    EXPECT_EQ(store::read_history(files, path).result, outcome::missing);
    for (const auto& small : {bytes({0xFF, 0xFE}), bytes({0xFF, 0xFE, 0x41})}) {
        dir.write(store::history_file_name, small);
        EXPECT_EQ(store::read_history(files, path).result, outcome::short_file);
    }
    ASSERT_TRUE(store::write_history(files, path, u"x"));
    EXPECT_EQ(dir.read(store::history_file_name).size(), 4u);
    const auto read = store::read_history(files, path);
    EXPECT_EQ(read.result, outcome::restored);
    EXPECT_EQ(read.text, u"x");
    dir.write(store::history_file_name, bytes({0x7F, 'E', 'L', 'F', 0, 0}));
    EXPECT_EQ(store::read_history(files, path).result, outcome::not_text);
    fs::resize_file(path, store::history_size_limit + 1);  // sparse: no disk taken
    EXPECT_EQ(store::read_history(files, path).result, outcome::too_large);
}

TEST_F(history_files, AFileThatCannotBeReadIsReportedAsSuch) {
    dir.write(store::history_file_name, store::encode_history(u"\r\n▲1+2=3"));
    fs::permissions(path, fs::perms::none);
    fakes::unprivileged as_user;
    if (!as_user.active()) GTEST_SKIP() << "cannot drop root rights";
    EXPECT_EQ(store::read_history(files, path).result, outcome::unreadable);
}

TEST_F(history_files, AFailedWriteNamesItsCauseAndKeepsTheOldFile) {
    ASSERT_TRUE(store::write_history(files, path, u"old"));
    fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::remove);
    fakes::unprivileged as_user;
    if (!as_user.active()) GTEST_SKIP() << "cannot drop root rights";
    std::error_code error;
    EXPECT_FALSE(store::write_history(files, path, u"new", &error));
    EXPECT_EQ(error, std::errc::permission_denied);
    EXPECT_EQ(store::read_history(files, path).text, u"old");
}

TEST(HistoryTips, EachCauseHasItsReason) {
    using std::errc;
    EXPECT_EQ(store::history_save_failed_tip(std::make_error_code(errc::permission_denied)),
              u"温馨提示:历史记录未能保存，文件夹不可写入");
    EXPECT_EQ(store::history_save_failed_tip(std::make_error_code(errc::read_only_file_system)),
              u"温馨提示:历史记录未能保存，文件夹不可写入");
    EXPECT_EQ(store::history_save_failed_tip(std::make_error_code(errc::no_space_on_device)),
              u"温馨提示:历史记录未能保存，磁盘空间不足");
    EXPECT_EQ(store::history_save_failed_tip(std::make_error_code(errc::io_error)),
              u"温馨提示:历史记录未能保存，文件写入失败");
    EXPECT_TRUE(store::history_unreadable_tip().starts_with(u"温馨提示:"));
}

}  // namespace
