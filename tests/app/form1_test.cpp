#include "app/form1.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/calc_design.h"
#include "fakes/fake_forms.h"

namespace {

std::vector<std::u16string> lines_of(const std::u16string& text) {
    std::vector<std::u16string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(u"\r\n", from)) != std::u16string::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    lines.push_back(text.substr(from));
    return lines;
}

TEST(HelpText, HasItsExactLengthLinesAndBreaks) {
    const std::u16string text = app::help_text();
    EXPECT_EQ(text.size(), 629u);
    const auto lines = lines_of(text);
    ASSERT_EQ(lines.size(), 28u);
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\r'), 27);
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), 27);
    EXPECT_EQ(lines[0], u"说明:  ");
    EXPECT_EQ(lines[21], u"");
    EXPECT_EQ(lines[25], u"小于零 -1 ");
    EXPECT_EQ(lines[3], u"○公式中容认\"++,--,+-,-+\",且分别对应\"+,+,-,-\"  ");
    EXPECT_NE(text.substr(text.size() - 2), u"\r\n");
}

TEST(HelpText, UsesTheWidePunctuationWhereWrittenSo) {
    const auto lines = lines_of(app::help_text());
    EXPECT_NE(lines[12].find(u'\uFF08'), std::u16string::npos);
    EXPECT_NE(lines[12].find(u'\uFF09'), std::u16string::npos);
    EXPECT_EQ(std::count(lines[15].begin(), lines[15].end(), u'\uFF0C'), 4);
    EXPECT_EQ(std::count(lines[15].begin(), lines[15].end(), u'\u3002'), 2);
    EXPECT_EQ(lines[18].back(), u'\u3002');
    EXPECT_EQ(lines[20].back(), u'\uFF1A');
    for (int i : {1, 2, 3, 4, 26, 27}) EXPECT_EQ(lines[i][0], u'\u25CB') << "line " << i + 1;
}

TEST(HelpWindow, IsAFixedToolWindowFilledAtLoad) {
    fakes::fake_forms_runtime forms;
    app::Form1 help(forms);
    const auto& d = app::form1_design();
    EXPECT_EQ(d.caption, u"help");
    EXPECT_EQ(d.frame, platform::frame_style::fixed_tool);
    EXPECT_EQ(d.client_width, 5070);
    EXPECT_EQ(d.client_height, 6930);
    EXPECT_FALSE(d.topmost);
    const fakes::fake_text_box& text = forms.live("Form1")->text("Text_tip");
    EXPECT_EQ(text.text(), app::help_text());
    EXPECT_EQ(text.sel_start(), 0);
}

}  // namespace
