#include "platform/window_system.h"

#include <gtest/gtest.h>

namespace {

using platform::monitor_edges;
using platform::pixel_rect;

// Edges in the order left, top, right, bottom; true: outer.
TEST(desktop_monitors, AnEdgeIsOuterUnlessAnotherMonitorLiesBeyondItAlongSomeOfIt) {
    const pixel_rect left{0, 0, 1280, 1024}, right{1280, 0, 2560, 1024};
    struct row {
        const char* layout;
        std::vector<pixel_rect> rects;
        std::vector<monitor_edges> expected;
    } rows[] = {
        {"one monitor", {left}, {{true, true, true, true}}},
        {"side by side", {left, right}, {{true, true, false, true}, {false, true, true, true}}},
        {"stacked",
         {{0, 0, 1280, 1024}, {0, 1024, 1280, 2048}},
         {{true, true, true, false}, {true, false, true, true}}},
        {"offset and taller: shared along part of the edge",
         {left, {1280, 500, 3200, 1580}},
         {{true, true, false, true}, {false, true, true, true}}},
        {"touching only at a corner",
         {left, {1280, 1024, 2560, 2048}},
         {{true, true, true, true}, {true, true, true, true}}},
        {"a gap between them", {left, {1300, 0, 2580, 1024}}, {{true, true, true, true}, {true, true, true, true}}},
        {"mirrored: the same place", {left, left}, {{true, true, true, true}, {true, true, true, true}}},
    };
    for (const row& r : rows) {
        const auto monitors = platform::desktop_monitors(r.rects, 1);
        ASSERT_EQ(monitors.size(), r.expected.size()) << r.layout;
        for (std::size_t i = 0; i < monitors.size(); ++i) {
            EXPECT_EQ(monitors[i].outer, r.expected[i]) << r.layout << ", monitor " << i;
            EXPECT_EQ(monitors[i].rect, r.rects[i]) << r.layout;
            EXPECT_EQ(monitors[i].primary, i == 1) << r.layout;
        }
    }
}

}  // namespace
