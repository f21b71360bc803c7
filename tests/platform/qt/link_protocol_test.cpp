#include "platform/qt/link_protocol.h"

#include <gtest/gtest.h>

#include "platform/runtime_error.h"

namespace {

using platform::qt::link_protocol::line_reader;

TEST(LinkProtocol, CommandTravelsAsUtf8AndALineFeed) {
    EXPECT_EQ(platform::qt::link_protocol::encode_command(u"showme"), "showme\n");
    EXPECT_EQ(platform::qt::link_protocol::encode_command(u"显示"), "\xE6\x98\xBE\xE7\xA4\xBA\n");
    EXPECT_EQ(platform::qt::link_protocol::encode_command(u""), "\n");
}

TEST(LinkProtocol, CommandThatCannotBeOneLineIsRefusedBeforeSending) {
    for (const std::u16string& bad : {std::u16string(u"show\nme"), std::u16string(5000, u'x')}) {
        try {
            platform::qt::link_protocol::encode_command(bad);
            ADD_FAILURE() << "accepted a command of " << bad.size() << " units";
        } catch (const platform::runtime_error& e) {
            EXPECT_EQ(e.number(), 5);
        }
    }
}

TEST(LinkProtocol, ReceivedBytesDecodeLeniently) {
    EXPECT_EQ(platform::qt::link_protocol::decode_command("showme"), u"showme");
    EXPECT_EQ(platform::qt::link_protocol::decode_command(std::string("\xFF\x00\x80", 3)),
              std::u16string(u"\uFFFD\0\uFFFD", 3));
}

TEST(LineReader, SplitsLinesWhereverTheBytesArriveInPieces) {
    struct case_t {
        std::vector<std::string> pieces;
        std::vector<std::string> lines;
        std::size_t pending;
    };
    const case_t cases[] = {
        {{"showme\n"}, {"showme"}, 0},
        {{"sho", "wme", "\n"}, {"showme"}, 0},
        {{"a\nb\n\nc"}, {"a", "b", ""}, 1},
        {{"showme\r\n"}, {"showme\r"}, 0},
        {{std::string("\0\1\n", 3)}, {std::string("\0\1", 2)}, 0},
        {{"SHOWME\nshowme \n"}, {"SHOWME", "showme "}, 0},
        {{"no end"}, {}, 6},
    };
    for (const auto& c : cases) {
        line_reader reader;
        std::vector<std::string> got;
        for (const auto& p : c.pieces) {
            for (auto& l : reader.feed(p)) got.push_back(l);
        }
        EXPECT_EQ(got, c.lines) << c.pieces.front();
        EXPECT_EQ(reader.pending(), c.pending) << c.pieces.front();
        EXPECT_FALSE(reader.overflowed());
    }
}

TEST(LineReader, LineAtTheLimitIsTakenOneBeyondOverflows) {
    line_reader at(8);
    EXPECT_EQ(at.feed("12345678\n"), std::vector<std::string>{"12345678"});
    EXPECT_FALSE(at.overflowed());

    line_reader beyond(8);
    EXPECT_TRUE(beyond.feed("1234").empty());
    EXPECT_TRUE(beyond.feed("56789\nshowme\n").empty());
    EXPECT_TRUE(beyond.overflowed());
    EXPECT_EQ(beyond.pending(), 0u);
}

TEST(LineReader, TenMegabytesWithoutALineEndHoldNoMoreThanTheLimit) {
    line_reader reader;
    const std::string chunk(64 * 1024, 'x');
    std::size_t most = 0;
    for (int i = 0; i < 160 && !reader.overflowed(); ++i) {
        EXPECT_TRUE(reader.feed(chunk).empty());
        most = std::max(most, reader.pending());
    }
    EXPECT_TRUE(reader.overflowed());
    EXPECT_LE(most, platform::qt::link_protocol::max_line);
    EXPECT_TRUE(reader.feed("showme\n").empty());
}

}  // namespace
