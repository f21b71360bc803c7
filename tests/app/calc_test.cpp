#include "app/calc.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/calc_design.h"
#include "fakes/fake_forms.h"
#include "fakes/fake_window_system.h"

namespace {

struct calc_fixture : ::testing::Test {
    fakes::fake_forms_runtime forms;
    fakes::fake_window_system windows{&forms.log};
    int file_systems_made = 0;
    app::calc window{{forms, windows, [this] {
                          ++file_systems_made;
                          forms.log.push_back("make_file_system");
                          return std::unique_ptr<platform::file_system>();
                      }}};
    fakes::fake_form& form() { return *forms.live("calc"); }

    std::ptrdiff_t position(const std::string& prefix) {
        auto it = std::find_if(forms.log.begin(), forms.log.end(),
                               [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
        return it == forms.log.end() ? -1 : it - forms.log.begin();
    }
};

TEST_F(calc_fixture, InitializeRunsBeforeTheWindowExists) {
    EXPECT_EQ(forms.log.at(0), "init_common_controls");
    EXPECT_EQ(forms.log.at(1), "calc.create");
}

TEST_F(calc_fixture, LoadStepsRunInTheirOrder) {
    windows.windows[form().handle()].rect = {5, 5, 105, 85};
    ASSERT_TRUE(window.load());
    const auto file_system = position("make_file_system");
    const auto placement = position("set_window_pos");
    const auto icon = position("Picture_show.show_form_icon");
    ASSERT_GE(file_system, 0);
    EXPECT_LT(file_system, placement);
    EXPECT_LT(placement, icon);
    const auto& placed = windows.windows[form().handle()];
    EXPECT_TRUE(placed.topmost);
    EXPECT_EQ(placed.rect, (platform::pixel_rect{0, 0, 100, 80})) << "moved to the corner at its size";
    EXPECT_EQ(file_systems_made, 1);
    EXPECT_DOUBLE_EQ(window.degree_factor(), 0.017453292519943295);
}

TEST_F(calc_fixture, LoadPutsTheWindowAtThePrimaryMonitorsCorner) {
    windows.monitor_list = platform::desktop_monitors({{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}}, 1);
    ASSERT_TRUE(window.load());
    const auto& placed = windows.windows[form().handle()];
    EXPECT_TRUE(placed.topmost);
    EXPECT_EQ(placed.rect.left, 1280);
    EXPECT_EQ(placed.rect.top, 0);
}

TEST_F(calc_fixture, FirstStartLeavesEveryBoxEmptyAndNothingShownUntilAsked) {
    ASSERT_TRUE(window.load());
    EXPECT_EQ(form().text("Text_calc").text(), u"");
    EXPECT_EQ(form().text("Text_re").text(), u"");
    EXPECT_EQ(form().text("Text_temp1").text(), u"");
    EXPECT_EQ(form().label("Label_tip").caption(), u"");
    EXPECT_FALSE(form().visible());
    window.show();
    EXPECT_TRUE(form().visible());
}

// Eval hands back the value, or 0 with the failure's tip in the tip line; a later
// success says nothing there, so the tip stands until the formula changes.
TEST_F(calc_fixture, EvalGivesTheValueOrZeroAndTheTip) {
    ASSERT_TRUE(window.load());
    EXPECT_EQ(window.Eval(u"2*3"), 6);
    EXPECT_EQ(form().label("Label_tip").caption(), u"");
    EXPECT_EQ(window.Eval(u"1/0"), 0);
    EXPECT_EQ(form().label("Label_tip").caption(), u"温馨提示:被零除");
    EXPECT_EQ(window.Eval(u"2*3"), 6);
    EXPECT_EQ(form().label("Label_tip").caption(), u"温馨提示:被零除");
    EXPECT_EQ(form().text("Text_re").text(), u"") << "Eval writes no result";
    form().text("Text_calc").type(u"1");
    EXPECT_EQ(form().label("Label_tip").caption(), u"");
}

TEST_F(calc_fixture, TimersHaveTheirIntervalsAndStartState) {
    EXPECT_EQ(form().fake_timer_named("Timer_alltop").interval(), 1000);
    EXPECT_TRUE(form().fake_timer_named("Timer_alltop").enabled());
    EXPECT_EQ(form().fake_timer_named("Timer_save").interval(), 60000);
    EXPECT_TRUE(form().fake_timer_named("Timer_save").enabled());
    EXPECT_EQ(form().fake_timer_named("tmrCheck").interval(), 50);
    EXPECT_FALSE(form().fake_timer_named("tmrCheck").enabled());
    EXPECT_EQ(form().fake_timer_named("tmrMove").interval(), 1);
    EXPECT_FALSE(form().fake_timer_named("tmrMove").enabled());
}

TEST_F(calc_fixture, AnyMouseButtonOnTheBareWindowFocusesTheFormula) {
    window.load();
    window.show();
    for (auto b : {platform::mouse_button::left, platform::mouse_button::right, platform::mouse_button::middle}) {
        form().text("Text_re").set_focus();
        form().press(b);
        EXPECT_TRUE(form().text("Text_calc").has_focus());
    }
}

TEST_F(calc_fixture, DoubleClickOnTheIconOpensOneHelpWindowAndBringsItForward) {
    window.load();
    window.show();
    auto& icon = form().picture("Picture_show");
    icon.dbl_click();
    icon.dbl_click();
    int help_windows = static_cast<int>(
        std::count_if(forms.forms.begin(), forms.forms.end(), [](auto* f) { return f->name() == "Form1"; }));
    EXPECT_EQ(help_windows, 1);
    EXPECT_EQ(forms.live("Form1")->shows, 2);
    EXPECT_FALSE(forms.live("Form1")->design().topmost);
}

TEST_F(calc_fixture, ClosingTheHelpWindowLetsTheNextDoubleClickLoadItAfresh) {
    window.load();
    window.show();
    auto& icon = form().picture("Picture_show");
    icon.dbl_click();
    forms.live("Form1")->text("Text_tip").set_text(u"edited");
    forms.live("Form1")->close();
    EXPECT_EQ(window.help_window(), nullptr);
    EXPECT_EQ(forms.live("Form1"), nullptr);
    icon.dbl_click();
    EXPECT_EQ(forms.live("Form1")->text("Text_tip").text(), app::help_text());
}

TEST_F(calc_fixture, ClosingTheMainWindowStopsItsTimersAndLeavesTheHelpWindowOpen) {
    window.load();
    window.show();
    form().picture("Picture_show").dbl_click();
    form().close();
    EXPECT_FALSE(form().fake_timer_named("Timer_alltop").enabled());
    EXPECT_FALSE(form().fake_timer_named("Timer_save").enabled());
    EXPECT_EQ(forms.open_windows(), 1);
    EXPECT_TRUE(forms.live("Form1")->visible());
}

TEST(calc_design_table, ControlsSitInTheirTwipsRectanglesInTabOrder) {
    const auto& d = app::calc_design();
    EXPECT_EQ(d.caption, u"morvane自由计算器");
    EXPECT_EQ(d.client_width, 7095);
    EXPECT_EQ(d.client_height, 5520);
    EXPECT_TRUE(d.topmost);
    ASSERT_EQ(d.controls.size(), 19u);
    auto find = [&](const std::string& n) {
        return *std::find_if(d.controls.begin(), d.controls.end(), [&](auto& c) { return c.name == n; });
    };
    EXPECT_EQ(find("Label_tip").rect, (platform::twips_rect{-15, 5190, 6615, 300}));
    EXPECT_EQ(find("Label_tip").fore_color, (platform::rgb{255, 128, 0}));
    EXPECT_EQ(find("Text_re").back_color, (platform::rgb{224, 224, 224}));
    EXPECT_EQ(find("Text_re").font->face, u"Arial");
    EXPECT_EQ(find("Command_lifang").tab_index, 10);
    EXPECT_EQ(find("Picture_show").tab_index, 9);
    EXPECT_FALSE(find("picDDE").visible);
    EXPECT_GT(find("picDDE").rect.left, d.client_width);
    std::vector<int> tabs;
    for (auto& c : d.controls) tabs.push_back(c.tab_index);
    std::sort(tabs.begin(), tabs.end());
    EXPECT_EQ(std::adjacent_find(tabs.begin(), tabs.end()), tabs.end()) << "tab places are unique";
}

}  // namespace
