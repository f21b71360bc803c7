#include "platform/text.h"

#include <gtest/gtest.h>

namespace {

using platform::model_to_view_pos;
using platform::view_to_model_pos;

TEST(LineBreaks, LoneCrAndLfBecomeCrLf) {
    auto normalized = [](std::u16string_view s) { return platform::to_crlf(platform::to_lf(s)); };
    EXPECT_EQ(normalized(u"a\nb\rc\r\nd"), u"a\r\nb\r\nc\r\nd");
    EXPECT_EQ(normalized(u"\r\n\r\n"), u"\r\n\r\n");
    EXPECT_EQ(normalized(u"\n\r"), u"\r\n\r\n");
}

TEST(LineBreaks, ModelAndViewTextsRoundTrip) {
    const std::u16string model = u"1+2\r\n\r\n▲x=3";
    EXPECT_EQ(platform::to_lf(model), u"1+2\n\n▲x=3");
    EXPECT_EQ(platform::to_crlf(platform::to_lf(model)), model);
}

TEST(Positions, CrLfCountsTwoInTheModelAndOneInTheView) {
    const std::u16string model = u"ab\r\ncd\r\n";
    const std::u16string view = platform::to_lf(model);
    const int model_positions[] = {0, 1, 2, 4, 5, 6, 8};
    for (int v = 0; v <= static_cast<int>(view.size()); ++v) {
        EXPECT_EQ(view_to_model_pos(view, v), model_positions[v]);
        EXPECT_EQ(model_to_view_pos(view, model_positions[v]), v);
    }
    EXPECT_EQ(model_to_view_pos(view, 3), 2) << "between CR and LF is before the break";
    EXPECT_EQ(model_to_view_pos(view, 99), 6);
    EXPECT_EQ(model_to_view_pos(view, -5), 0);
}

TEST(Utf, SurrogatePairsAndInvalidBytes) {
    EXPECT_EQ(platform::to_u16("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(platform::to_utf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(platform::to_u16("a\xFF"
                               "b"),
              u"a\uFFFDb");
    EXPECT_EQ(platform::to_u16("\xC0\xAF"), u"\uFFFD\uFFFD") << "overlong";
    EXPECT_EQ(platform::to_u16("\xE4\xBD"), u"\uFFFD\uFFFD") << "truncated";
    EXPECT_EQ(platform::to_u16("\xF8\x88\x80"), u"\uFFFD\uFFFD\uFFFD") << "no lead byte past F4";
    EXPECT_TRUE(platform::is_utf8("a\xEF\xBF\xBD\xF0\x9F\x98\x80")) << "a U+FFFD written in the text";
    EXPECT_FALSE(platform::is_utf8("a\xF8\x88\x80"));
    EXPECT_EQ(platform::to_utf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
    EXPECT_EQ(platform::to_utf8(platform::to_u16("温馨提示:")), "温馨提示:");
}

}  // namespace
