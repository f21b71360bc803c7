// The window behaviour on a desktop of several monitors: "the screen" is the monitor the
// window is on (under the pointer during a drag), and only the desktop's outer edges
// clamp, stretch and dock.
#include <gtest/gtest.h>

#include "window/calc_window_fixture.h"

namespace {

using platform::pixel_point;
using platform::pixel_rect;
using window_test::calc_window;

constexpr int width = 479, height = 392;  // pixels
constexpr int width_tw = width * 15;
const pixel_rect left_monitor{0, 0, 1280, 1024}, right_monitor{1280, 0, 2560, 1024};

struct monitors : calc_window {
    monitors() { set_monitors({left_monitor, right_monitor}, 0); }
    void set_monitors(const std::vector<pixel_rect>& rects, std::size_t primary) {
        windows.monitor_list = platform::desktop_monitors(rects, primary);
    }
    void display_change() { windows.send(hwnd(), platform::wm_displaychange); }
    // Docks the window at the left of (x, y) by a drag, which leaves the pointer inside.
    void dock_by_drag(int x, int y, pixel_point offset) {
        place_at(x, y);
        drag_by({offset});
        tick("tmrCheck");
        slide_home();
    }
    void pointer_away() {
        windows.cursor = {100, 100};
        tick("tmrCheck");
        slide_home();
    }
    // Docks the window at the right edge of the desktop and lets it slide in.
    void docked_hidden_at_the_right() {
        dock_by_drag(1500, 300, {700, 0});
        pointer_away();
    }
};

TEST_F(monitors, ADragCrossesTheSharedEdgeAndStopsOnlyAtTheDesktopsEdges) {
    struct row {
        const char* name;
        pixel_point start;
        pixel_point offset;
        pixel_rect expected;
    } rows[] = {
        {"pointer still on the left monitor, the window over the shared edge",
         {700, 300},
         {300, 0},
         {1000, 300, 1000 + width, 300 + height}},
        {"pointer over on the right monitor", {700, 300}, {900, 0}, {1600, 300, 1600 + width, 300 + height}},
        {"beyond the desktop's right edge", {700, 300}, {1700, 0}, {2560 - width, 300, 2560, 300 + height}},
        {"back across to the left and beyond its edge", {1600, 300}, {-1800, 0}, {0, 300, width, 300 + height}},
        {"beyond the top on the right monitor", {1600, 300}, {0, -400}, {1600, 0, 1600 + width, height}},
    };
    for (const row& r : rows) {
        place_at(r.start.x, r.start.y);
        drag_by({r.offset});
        EXPECT_EQ(rect(), r.expected) << r.name;
    }
}

TEST_F(monitors, OnlyTheDesktopsTopCornersStretchAndToTheirMonitorsHeight) {
    set_monitors({left_monitor, {1280, 0, 3200, 1080}}, 0);
    struct row {
        const char* name;
        pixel_point offset;  // from a window at 700, 100
        int expected_height;
    } rows[] = {
        {"the desktop's top-right corner, on the taller monitor", {2600, -200}, 1080},
        {"the top-left corner", {-800, -200}, 1024},
        {"flush with the shared edge at the top", {101, -200}, height},
    };
    for (const row& r : rows) {
        place_at(700, 100);
        drag_by({r.offset});
        EXPECT_EQ(rect().bottom - rect().top, r.expected_height) << r.name;
        drag_by({{-300, 400}});  // out of any corner: the height back
    }
}

TEST_F(monitors, TheWindowDocksOnlyAtOuterEdgesAndSlidesOnItsMonitor) {
    docked_hidden_at_the_right();
    EXPECT_EQ(twips().left, 2560 * 15 - 60) << "a 60-twip strip at the desktop's right edge";
    windows.cursor = {2558, 400};
    tick("tmrCheck");
    slide_home();
    EXPECT_EQ(twips().left, 2560 * 15 - width_tw + 60);

    place_at(1100, 300);  // across the shared edge
    drag_by({{10, 0}});
    EXPECT_FALSE(enabled("tmrCheck")) << "dropped across the shared edge";
    EXPECT_EQ(rect().left, 1110);

    set_monitors({left_monitor, right_monitor}, 1);
    dock_by_drag(1400, 300, {-1600, 0});
    windows.cursor = {1000, 900};
    tick("tmrCheck");
    slide_home();
    EXPECT_EQ(twips().left, 60 - width_tw) << "the desktop's left edge, on the monitor that is not the primary";
}

TEST_F(monitors, AChangeOfTheMonitorsBringsTheWindowBackOntoThem) {
    docked_hidden_at_the_right();
    set_monitors({left_monitor}, 0);
    display_change();
    EXPECT_EQ(twips().left, 1280 * 15 - 60) << "docked at the new right edge, still hidden";
    EXPECT_TRUE(enabled("tmrCheck"));
    windows.cursor = {1279, 400};
    tick("tmrCheck");
    slide_home();
    EXPECT_EQ(twips().left, 1280 * 15 - width_tw + 60) << "and it keeps working";

    // A monitor added beyond the docked edge: that edge is no longer the desktop's.
    pointer_away();
    set_monitors({left_monitor, right_monitor}, 0);
    display_change();
    EXPECT_EQ(rect().left, 1280 - width) << "wholly on the monitor it docked at";
    EXPECT_FALSE(enabled("tmrCheck"));

    // A smaller resolution while docked at the left: the window keeps its edge.
    set_monitors({left_monitor}, 0);
    dock_by_drag(300, 600, {-400, 0});
    set_monitors({{0, 0, 1024, 768}}, 0);
    display_change();
    EXPECT_EQ(rect().top, 768 - height);
    EXPECT_EQ(twips().left, -60);
    EXPECT_TRUE(enabled("tmrCheck"));

    // A free window is moved only when it is no longer wholly on the monitors.
    drag_by({{500, -100}});
    const pixel_rect free = rect();
    ASSERT_EQ(free, (pixel_rect{496, 276, 496 + width, 276 + height}));
    display_change();
    EXPECT_EQ(rect(), free);
    set_monitors({{0, 0, 640, 480}}, 0);
    display_change();
    EXPECT_EQ(rect(), (pixel_rect{640 - width, 480 - height, 640, 480}));
}

TEST_F(monitors, APointerWhosePositionWentStaleCountsAsGone) {
    place_at(300, 200);
    drag_by({{-400, 0}});
    windows.cursor = {100, 300};
    tick("tmrCheck");
    slide_home();
    ASSERT_EQ(twips().left, -60);
    windows.pointer_gone = true;  // it left for another program's window; the position stays inside
    tick("tmrCheck");
    slide_home();
    EXPECT_EQ(twips().left, 60 - width_tw);
    windows.pointer_gone = false;
    windows.cursor = {2, 300};
    tick("tmrCheck");
    slide_home();
    EXPECT_EQ(twips().left, -60);
}

}  // namespace
