#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "window/calc_window_fixture.h"

namespace {

using platform::pixel_point;
using platform::pixel_rect;
using window_test::calc_window;
using edge = window::screen_edge;

// A rectangle beyond the left edge, away from the top: one clamped would start at 0.
constexpr pixel_rect beyond_left{-40, 300, 439, 692};

struct message_handling : calc_window {
    message_handling() { place_at(300, 200); }

    // Docked at the left, then moved back to (300, 200) by another program: the watch runs.
    void watching() {
        dock_at(edge::left);
        place_at(300, 200);
    }
    // Watching, and the pointer has left: a slide is under way that no tick has moved yet.
    void sliding() {
        watching();
        windows.cursor = {960, 540};
        tick("tmrCheck");
    }

    std::vector<fakes::fake_window_system::delivered> passed_on(platform::message_id m) {
        std::vector<fakes::fake_window_system::delivered> found;
        std::copy_if(windows.defaults.begin(), windows.defaults.end(), std::back_inserter(found),
                     [&](auto& d) { return d.message == m; });
        return found;
    }
};

struct clamp_case {
    const char* name;
    pixel_point offset;
    pixel_rect expected;
};

TEST_F(message_handling, CaptionDragIsClampedToTheLeftTopAndRightEdgesKeepingTheSize) {
    const clamp_case cases[] = {
        {"beyond the left edge", {-350, 0}, {0, 200, 479, 592}},
        {"far beyond the left edge", {-2000, 0}, {0, 200, 479, 592}},
        {"beyond the top edge", {0, -300}, {300, 0, 779, 392}},
        {"beyond the right edge", {1300, 0}, {1441, 200, 1920, 592}},
        {"beyond the bottom edge, which is free", {0, 900}, {300, 1100, 779, 1492}},
    };
    for (const clamp_case& c : cases) {
        place_at(300, 200);
        windows.defaults.clear();
        drag_by({c.offset});
        EXPECT_EQ(rect(), c.expected) << c.name;
        const auto moving = passed_on(platform::wm_moving);
        ASSERT_EQ(moving.size(), 1u) << c.name;
        EXPECT_EQ(moving[0].rect, c.expected) << c.name << ": the rewritten rectangle is passed on";
    }
}

TEST_F(message_handling, TopLeftCornerStretchesToTheScreenHeightAndLeavingItRestoresTheHeightAtOnce) {
    drag_by({{-350, -300}, {-100, -300}});
    ASSERT_EQ(windows.applied.size(), 2u);
    EXPECT_EQ(windows.applied[0], (pixel_rect{0, 0, 479, 1080}));
    EXPECT_EQ(windows.applied[1], (pixel_rect{200, 0, 679, 392}));
    drag_by({{-200, 0}});
    EXPECT_EQ(rect(), (pixel_rect{0, 0, 479, 1080})) << "back in the corner it stretches again";
}

TEST_F(message_handling, TopRightCornerStretchesToo) {
    drag_by({{1300, -300}, {1300, -250}, {1000, -300}});
    ASSERT_EQ(windows.applied.size(), 3u);
    EXPECT_EQ(windows.applied[0], (pixel_rect{1441, 0, 1920, 1080}));
    EXPECT_EQ(windows.applied[1], (pixel_rect{1441, 0, 1920, 1080})) << "still in the corner: stays stretched";
    EXPECT_EQ(windows.applied[2], (pixel_rect{1300, 0, 1779, 392}));
}

TEST_F(message_handling, ADragEndingInTheCornerStaysStretchedUntilTheNextDragLeavesIt) {
    windows.cursor = {400, 591};
    windows.drag(hwnd(), platform::htbottom, {{400, 649}});  // a height of its own: 450
    drag_by({{-350, -300}});
    EXPECT_EQ(rect(), (pixel_rect{0, 0, 479, 1080}));
    drag_by({{300, 200}});
    EXPECT_EQ(rect().bottom - rect().top, 450) << "still stretched when the drag began: its height from before";
    EXPECT_EQ(rect(), (pixel_rect{300, 200, 779, 650}));
    drag_by({{-300, -200}});
    EXPECT_EQ(rect(), (pixel_rect{0, 0, 479, 1080})) << "no longer stretched: the corner stretches it again";
}

TEST_F(message_handling, TheStretchScalesTheControlsByHeightAlone) {
    const platform::twips_rect before = form().text("Text_calc").rect();
    drag_by({{-350, -300}});
    const platform::twips_rect after = form().text("Text_calc").rect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.width, before.width);
    // 870 and 1815 twips times 16200 / 5880, the new outer height over the recorded one.
    EXPECT_EQ(after.top, 2397);
    EXPECT_EQ(after.height, 5001);
}

struct end_case {
    const char* name;
    pixel_point offset;
    std::optional<edge> side;  // none: unchanged
    bool watching;
};

TEST_F(message_handling, TheEndOfADragPicksTheEdgeInTheirOrderAndStartsTheWatch) {
    const end_case cases[] = {
        {"left edge", {-350, 100}, edge::left, true},
        {"right edge", {1300, 100}, edge::right, true},
        {"top edge", {0, -300}, edge::top, true},
        {"top-left corner: left first", {-350, -300}, edge::left, true},
        {"top-right corner: right before top", {1300, -300}, edge::right, true},
        {"middle of the screen", {100, 100}, std::nullopt, false},
    };
    for (const end_case& c : cases) {
        // Docked before at a side the case does not expect, so that a change shows, then
        // dragged to the middle of the screen.
        const edge before = c.side == edge::top ? edge::left : edge::top;
        dock_at(before);
        drag_to(300, 200);
        drag_by({c.offset});
        EXPECT_EQ(enabled("tmrCheck"), c.watching) << c.name;
        EXPECT_FALSE(enabled("tmrMove")) << c.name;
        EXPECT_FALSE(send_moving(beyond_left).passed_on) << c.name << ": the drag is over";
        if (!c.side) {
            // A resize that ends partly beyond the left edge docks at the side it had.
            windows.cursor = {rect().left, 400};
            windows.drag(hwnd(), platform::htleft, {{-5, 400}});
        }
        EXPECT_EQ(hiding_side(), c.side.value_or(before)) << c.name;
    }
}

TEST_F(message_handling, ADragEndingMidScreenLeavesTheWindowWhereItIsAndNothingRunning) {
    drag_by({{100, 100}});
    EXPECT_EQ(rect(), (pixel_rect{400, 300, 879, 692}));
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(tick("tmrCheck"));
        EXPECT_FALSE(tick("tmrMove"));
    }
    EXPECT_EQ(rect(), (pixel_rect{400, 300, 879, 692}));
}

TEST_F(message_handling, ACaptionPressStopsBothTimersBeforeItIsPassedOn) {
    sliding();
    int presses = 0;
    windows.on_default = [&](const fakes::fake_window_system::delivered& d) {
        if (d.message != platform::wm_nclbuttondown) return;
        ++presses;
        EXPECT_FALSE(enabled("tmrCheck"));
        EXPECT_FALSE(enabled("tmrMove"));
        const auto moving = send_moving(beyond_left);
        EXPECT_TRUE(moving.passed_on && moving.rect == (pixel_rect{0, 300, 479, 692}))
            << "the drag's moves are already clamped and passed on";
    };
    drag_by({{0, 50}});
    EXPECT_EQ(presses, 1);
    EXPECT_FALSE(send_moving(beyond_left).passed_on) << "the drag has ended";
}

TEST_F(message_handling, ABorderResizeIsNeitherClampedNorStretchedAndKeepsTheTimersRunning) {
    watching();
    windows.defaults.clear();
    windows.cursor = {300, 300};
    windows.drag(hwnd(), platform::htleft, {{-5, 300}});
    EXPECT_EQ(rect(), (pixel_rect{-5, 200, 779, 592}));
    EXPECT_TRUE(passed_on(platform::wm_moving).empty());
    EXPECT_EQ(passed_on(platform::wm_sizing).size(), 1u);
    EXPECT_TRUE(enabled("tmrCheck"));
}

TEST_F(message_handling, AResizeEndingPartlyBeyondTheLeftEdgeKeepsTheSideButStartsTheWatch) {
    dock_at(edge::top);
    drag_to(300, 200);
    windows.cursor = {300, 300};
    windows.drag(hwnd(), platform::htleft, {{-5, 300}});
    EXPECT_TRUE(enabled("tmrCheck"));
    EXPECT_EQ(hiding_side(), edge::top);
}

TEST_F(message_handling, AResizeEndingAtTheLeftEdgeDocksLeft) {
    dock_at(edge::right);
    drag_to(300, 200);
    windows.cursor = {300, 300};
    windows.drag(hwnd(), platform::htleft, {{0, 300}});
    EXPECT_TRUE(enabled("tmrCheck"));
    EXPECT_EQ(hiding_side(), edge::left);
}

TEST_F(message_handling, MovingOutsideACaptionDragIsNeitherChangedNorPassedOn) {
    windows.default_result = 77;
    pixel_rect proposed{-40, -40, 439, 352};
    const platform::lresult r = windows.send(hwnd(), platform::window_message::moving(proposed));
    EXPECT_EQ(r, 0);
    EXPECT_EQ(proposed, (pixel_rect{-40, -40, 439, 352}));
    EXPECT_TRUE(passed_on(platform::wm_moving).empty());
    drag_by({{-350, -300}});
    EXPECT_EQ(rect(), (pixel_rect{0, 0, 479, 1080})) << "it left no stretch behind for a drag to undo";
}

TEST_F(message_handling, EveryOtherMessageIsPassedOnWithTheAnswerOfThePreviousProcedure) {
    windows.default_result = 77;
    place_at(0, 300);
    EXPECT_EQ(windows.send(hwnd(), 0x84), 77);
    pixel_rect sizing{0, 300, 500, 700};
    EXPECT_EQ(windows.send(hwnd(), platform::window_message::sizing(sizing)), 77);
    EXPECT_EQ(windows.send(hwnd(), platform::wm_exitsizemove), 77);
    EXPECT_TRUE(enabled("tmrCheck")) << "a closing message alone still runs the end-of-move steps";
    EXPECT_EQ(passed_on(0x84).size(), 1u);
    EXPECT_EQ(passed_on(platform::wm_exitsizemove).size(), 1u);
}

TEST_F(message_handling, APressOnTheBorderDoesNotStopTheTimers) {
    sliding();
    windows.cursor = {300, 300};
    windows.drag(hwnd(), platform::htbottomright, {});
    EXPECT_TRUE(enabled("tmrCheck"));
    EXPECT_TRUE(enabled("tmrMove"));
    EXPECT_FALSE(send_moving(beyond_left).passed_on) << "no caption drag";
}

}  // namespace
