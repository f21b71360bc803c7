// The button column of the real main window, on fakes: each button reaches its command.
#include <gtest/gtest.h>

#include <string>

#include "app/calc.h"
#include "fakes/fake_forms.h"
#include "fakes/fake_window_system.h"

namespace {

struct CalcButtons : ::testing::Test {
    fakes::fake_forms_runtime forms;
    fakes::fake_window_system windows{&forms.log};
    app::calc window{{forms, windows, [] { return std::unique_ptr<platform::file_system>(); }}};
    fakes::fake_form& form() { return *forms.live("calc"); }
    void click(const std::string& name) { form().button(name).click(); }

    void SetUp() override { ASSERT_TRUE(window.load()); }
};

TEST_F(CalcButtons, EveryButtonEditsTheFormulaAsCaptioned) {
    const struct {
        const char* button;
        std::u16string want;
        int caret;
    } cases[] = {
        {"Command_addkuohao", u"7()", 2}, {"Command_addkuohaopi", u"7<>", 2}, {"Command_lifang", u"7^()", 3},
        {"Command_sin", u"7sin", 4},      {"Command_cos", u"7cos", 4},        {"Command_tan", u"7tan", 4},
        {"Command_cot", u"7(1/tan)", 8},  {"Command_jia", u"7+", 2},          {"Command_jian", u"7-", 2},
        {"Command_cheng", u"7*", 2},      {"Command_chu", u"7/", 2},
    };
    for (const auto& c : cases) {
        form().text("Text_calc").set_text(u"7");
        form().text("Text_re").set_focus();
        click(c.button);
        EXPECT_EQ(form().text("Text_calc").text(), c.want) << c.button;
        EXPECT_EQ(form().text("Text_calc").sel_start(), c.caret) << c.button;
        EXPECT_TRUE(form().text("Text_calc").has_focus()) << c.button;
    }
}

TEST_F(CalcButtons, ClearAndRecordReachTheirBoxes) {
    form().text("Text_calc").set_text(u"1+2");
    form().text("Text_re").set_text(u"3");
    click("Command_r");
    EXPECT_EQ(form().text("Text_temp1").text(), u"\r\n\u25B21+2=3");
    EXPECT_EQ(form().text("Text_calc").text(), u"");

    form().text("Text_calc").set_text(u"4");
    form().text("Text_re").set_text(u"4");
    form().button("Command_e").set_focus();
    click("Command_e");
    EXPECT_EQ(form().text("Text_calc").text(), u"");
    EXPECT_EQ(form().text("Text_re").text(), u"");
    EXPECT_EQ(form().text("Text_temp1").text(), u"\r\n\u25B21+2=3");
    EXPECT_TRUE(form().button("Command_e").has_focus());
}

TEST_F(CalcButtons, SetmeinkuhPlacesTheFormulaCaret) {
    form().text("Text_calc").set_text(u"(1)");
    window.setmeinkuh();
    EXPECT_EQ(form().text("Text_calc").sel_start(), 2);
}

}  // namespace
