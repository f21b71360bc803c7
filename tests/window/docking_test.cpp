#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "window/calc_window_fixture.h"

namespace {

using platform::pixel_point;
using platform::twips_rect;
using window_test::calc_window;
using edge = window::screen_edge;
using place = window::pointer_place;
constexpr place in = place::inside;
constexpr place out = place::outside;

constexpr int width_tw = 7185;   // the window's outer width in twips
constexpr int height_tw = 5880;  // and height
constexpr int screen_tw = 28800;
const pixel_point far_away{1500, 900};

struct docking_test : calc_window {
    // Docks the window at side by a drag, lets it slide out of view and, for in, back as
    // the pointer touches the strip, and then moves it to (left, top) twips as another
    // program might: the watch runs, no slide does, and the step is where the last slide
    // left it.
    void docked(edge side, int left, int top, place pointer) {
        dock_at(side);
        watch_pointer_at(far_away);
        if (pointer == in) watch_pointer_at(on_strip(side));
        move_to(left, top);
    }
    void move_to(int left, int top) { form().move({left, top, width_tw, height_tw}); }
    // A point of the strip that a window docked at side by dock_at leaves on the screen.
    static pixel_point on_strip(edge side) {
        switch (side) {
        case edge::left: return {2, 400};
        case edge::right: return {1918, 400};
        case edge::top: return {800, 2};
        }
        return {};
    }
    // The coordinate across the edge after each slide tick until the slide ends.
    std::vector<int> slide(bool across_top) {
        std::vector<int> seen;
        while (tick("tmrMove") && seen.size() < 1000) seen.push_back(across_top ? twips().top : twips().left);
        return seen;
    }
};

TEST_F(docking_test, TheSlideStepsGrowBy30UpTo300ThenByAFifthAndTheLastIsCutShort) {
    docked(edge::left, -60, 4500, in);
    windows.cursor = far_away;
    ASSERT_TRUE(tick("tmrCheck"));
    EXPECT_TRUE(enabled("tmrMove")) << "the pointer's leaving starts the slide";
    const std::vector<int> lefts = slide(false);
    ASSERT_FALSE(lefts.empty());
    EXPECT_EQ(lefts.front(), -120) << "the step starts again at 30: 60 twips for the first tick";
    std::vector<int> steps;
    int previous = -60;
    for (int l : lefts) {
        steps.push_back(previous - l);
        previous = l;
    }
    EXPECT_EQ(steps,
              (std::vector<int>{60, 90, 120, 150, 180, 210, 240, 270, 300, 396, 511, 649, 815, 1014, 1253, 807}));
    EXPECT_EQ(twips().left, 60 - width_tw);
    EXPECT_FALSE(enabled("tmrMove"));
    EXPECT_TRUE(enabled("tmrCheck")) << "the watch goes on";
}

struct rest_case {
    const char* name;
    edge side;
    int left, top;  // twips, where the slide starts
    place inside_before;
    pixel_point pointer;
    int expected_left, expected_top;
};

TEST_F(docking_test, EachSideSlidesToItsExactShownAndHiddenPositions) {
    const rest_case cases[] = {
        {"left, shown", edge::left, 60 - width_tw, 4500, out, {2, 400}, -60, 4500},
        {"left, hidden", edge::left, -60, 4500, in, far_away, 60 - width_tw, 4500},
        {"right, shown", edge::right, screen_tw - 60, 4500, out, {1918, 400}, screen_tw - width_tw + 60, 4500},
        {"right, hidden", edge::right, screen_tw - width_tw + 60, 4500, in, far_away, screen_tw - 60, 4500},
        {"top, shown", edge::top, 6000, 60 - height_tw, out, {500, 2}, 6000, -60},
        {"top, hidden", edge::top, 6000, -60, in, far_away, 6000, 60 - height_tw},
    };
    for (const rest_case& c : cases) {
        docked(c.side, c.left, c.top, c.inside_before);
        windows.cursor = c.pointer;
        ASSERT_TRUE(tick("tmrCheck"));
        EXPECT_TRUE(enabled("tmrMove")) << c.name << ": the crossing starts a slide";
        EXPECT_GT(slide_home(), 0) << c.name;
        EXPECT_EQ(twips(), (twips_rect{c.expected_left, c.expected_top, width_tw, height_tw})) << c.name;
        EXPECT_FALSE(enabled("tmrMove")) << c.name;
        tick("tmrCheck");
        EXPECT_FALSE(enabled("tmrMove")) << c.name << ": the pointer staying put starts nothing";
    }
}

TEST_F(docking_test, APointerReversalMidSlideTurnsTheWindowRoundWithTheStepBackAt60) {
    docked(edge::left, -60, 4500, in);
    windows.cursor = far_away;
    tick("tmrCheck");
    for (int i = 0; i < 5; ++i) tick("tmrMove");
    EXPECT_EQ(twips().left, -60 - 60 - 90 - 120 - 150 - 180);
    windows.cursor = {100, 400};
    tick("tmrCheck");
    tick("tmrMove");
    EXPECT_EQ(twips().left, -600);
    tick("tmrMove");
    EXPECT_EQ(twips().left, -510);
    slide_home();
    EXPECT_EQ(twips().left, -60) << "out all the way";
}

TEST_F(docking_test, AWindowReleasedFlushWithAnEdgeGoesToItsShownPositionInOneTick) {
    struct flush_case {
        const char* name;
        pixel_point offset;
        bool across_top;
    } cases[] = {{"top", {0, -200}, true}, {"left", {-300, 0}, false}};
    for (const flush_case& c : cases) {
        watch_pointer_at(far_away);  // the pointer away, so that the release is a crossing
        place_at(300, 200);
        drag_by({c.offset});
        ASSERT_TRUE(tick("tmrCheck")) << c.name;
        ASSERT_TRUE(tick("tmrMove")) << c.name;
        EXPECT_EQ(c.across_top ? twips().top : twips().left, -60) << c.name;
        EXPECT_FALSE(enabled("tmrMove")) << c.name;
    }
}

TEST_F(docking_test, AtStartNothingSlidesWhateverThePointerDoes) {
    for (pixel_point p : {pixel_point{10, 10}, far_away, pixel_point{0, 0}}) {
        windows.cursor = p;
        EXPECT_FALSE(tick("tmrCheck"));
        EXPECT_FALSE(tick("tmrMove"));
    }
    EXPECT_EQ(twips().left, 0);
    EXPECT_EQ(twips().top, 0);
}

TEST_F(docking_test, AWindowMidScreenSnapsToItsShownPositionWhenThePointerEnters) {
    docked(edge::left, 10500, 4500, out);
    windows.cursor = {750, 350};
    tick("tmrCheck");
    tick("tmrMove");
    EXPECT_EQ(twips().left, -60);
    EXPECT_FALSE(enabled("tmrMove"));
}

TEST_F(docking_test, AShownWindowDockedAgainStaysFlushUntilThePointerLeaves) {
    dock_at(edge::top);  // shown, the pointer on it
    place_at(300, 200);
    drag_by({{-300, 0}});
    EXPECT_EQ(twips().left, 0);
    tick("tmrCheck");
    EXPECT_FALSE(enabled("tmrMove"));
    EXPECT_EQ(twips().left, 0);
    windows.cursor = far_away;
    tick("tmrCheck");
    slide_home();
    EXPECT_EQ(twips().left, 60 - width_tw);
}

TEST_F(docking_test, ACaptionPressMidSlideStopsTheWindowWhereItStands) {
    docked(edge::left, -60, 4500, in);
    windows.cursor = far_away;
    tick("tmrCheck");
    for (int i = 0; i < 5; ++i) tick("tmrMove");
    const twips_rect half_hidden = twips();
    windows.cursor = {20, 310};
    windows.drag(hwnd(), platform::htcaption, {});
    EXPECT_EQ(twips(), half_hidden);
    EXPECT_FALSE(enabled("tmrMove"));
    windows.drag(hwnd(), platform::htcaption, {{30, 310}});
    EXPECT_EQ(rect().left, 0) << "the drag clamps it back onto the screen";
}

// Another program pulls the window back to the far end of the coordinates before every
// tick, so the slide goes on until one step spans the whole way home, within 70 twips of
// the largest integer: only a step that stops growing there instead of wrapping round
// gets home.
TEST_F(docking_test, TheStepSaturatesInsteadOfOverflowing) {
    docked(edge::left, 60 - width_tw, 4500, out);
    windows.cursor = on_strip(edge::left);
    ASSERT_TRUE(tick("tmrCheck"));
    constexpr int far_left = -143'165'576;  // pixels: 8 twips above the smallest integer
    for (int ticks = 0; enabled("tmrMove") && ticks < 200; ++ticks) {
        windows.place(hwnd(), {far_left, 300, far_left + 479, 692});
        tick("tmrMove");
    }
    EXPECT_FALSE(enabled("tmrMove")) << "home within 200 ticks";
    EXPECT_EQ(twips().left, -60);
}

TEST_F(docking_test, AWindowFarOffTheScreenStillSlidesHome) {
    struct far_case {
        edge side;
        int left, top;
        place inside;
        int expected_left, expected_top;
        int most_ticks;
    } cases[] = {
        {edge::left, -2'000'000'000, 0, in, -60, 0, 199},
        {edge::left, 2'000'000'000, 0, out, 60 - width_tw, 0, 199},
        {edge::right, 2'000'000'000, 0, in, screen_tw - width_tw + 60, 0, 199},
        {edge::right, -2'000'000'000, 0, out, screen_tw - 60, 0, 199},
        {edge::top, 0, -2'000'000'000, in, 0, -60, 199},
        {edge::top, 0, 2'000'000'000, out, 0, 60 - height_tw, 199},
        // Beyond the rest position at the very end of the coordinates: one step past it.
        {edge::left, INT_MIN, 0, out, 60 - width_tw, 0, 1},
        {edge::right, INT_MIN, 0, in, screen_tw - width_tw + 60, 0, 1},
        {edge::top, 0, INT_MIN, out, 0, 60 - height_tw, 1},
    };
    for (const far_case& c : cases) {
        // The pointer's crossing starts the slide towards the goal; then the window is
        // moved far away.
        dock_at(c.side);
        if (c.inside == in) watch_pointer_at(far_away);
        windows.cursor = c.inside == in ? on_strip(c.side) : far_away;
        ASSERT_TRUE(tick("tmrCheck"));
        move_to(c.left, c.top);
        EXPECT_LE(slide_home(), c.most_ticks);
        EXPECT_EQ(twips().left, c.expected_left);
        EXPECT_EQ(twips().top, c.expected_top);
    }
}

TEST_F(docking_test, TheKeeperRaisesTheWindowEverySecondWithoutMovingIt) {
    docked(edge::left, 60 - width_tw, 4500, out);
    const auto& state = windows.windows[hwnd()];
    const int raises = state.raises;
    const twips_rect hidden = twips();
    for (int i = 1; i <= 3; ++i) {
        ASSERT_TRUE(tick("Timer_alltop"));
        EXPECT_EQ(state.raises, raises + i);
        EXPECT_TRUE(state.topmost);
        EXPECT_EQ(twips(), hidden);
    }
    EXPECT_EQ(form().fake_timer_named("Timer_alltop").interval(), 1000);
}

}  // namespace
