#include "window/autosize_form.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

#include "app/calc_design.h"
#include "window/calc_window_fixture.h"

namespace {

using platform::twips_rect;
using window_test::calc_window;

struct autosize_on_calc : calc_window {
    std::vector<twips_rect> designed() {
        std::vector<twips_rect> r;
        for (const auto& c : app::calc_design().controls) r.push_back(c.rect);
        return r;
    }
    std::vector<twips_rect> now() {
        std::vector<twips_rect> r;
        for (platform::control* c : form().controls()) r.push_back(c->rect());
        return r;
    }
    void resize_to(int w, int h) { form().move({0, 0, w, h}); }
    static int scaled(int v, double ratio) { return static_cast<int>(std::nearbyint(v * ratio)); }
};

TEST_F(autosize_on_calc, RecordsTheOuterSizeAndEveryControlAtLoad) {
    const auto& layout = calc->autosize_form;
    EXPECT_EQ(layout.design_width, 7185);
    EXPECT_EQ(layout.design_height, 5880);
    ASSERT_EQ(layout.design_rects.size(), 21u) << "19 controls and two spare entries";
    const auto d = designed();
    for (std::size_t i = 0; i < d.size(); ++i) {
        const auto& r = layout.design_rects[i];
        EXPECT_EQ((twips_rect{r.left, r.top, r.width, r.height}), d[i]) << i;
    }
    EXPECT_EQ(layout.design_rects[19], window::autosize_form::rect_record{});
}

TEST_F(autosize_on_calc, AWindowTwiceAsLargeHasEveryControlAtTwiceItsRectangle) {
    resize_to(2 * 7185, 2 * 5880);
    const auto d = designed();
    const auto n = now();
    for (std::size_t i = 0; i < d.size(); ++i) {
        EXPECT_EQ(n[i], (twips_rect{2 * d[i].left, 2 * d[i].top, 2 * d[i].width, 2 * d[i].height})) << i;
    }
}

TEST_F(autosize_on_calc, AHeightOnlyStretchScalesTopAndHeightAlone) {
    resize_to(7185, 16200);
    const double ry = 16200.0 / 5880;
    const auto d = designed();
    const auto n = now();
    for (std::size_t i = 0; i < d.size(); ++i) {
        EXPECT_EQ(n[i], (twips_rect{d[i].left, scaled(d[i].top, ry), d[i].width, scaled(d[i].height, ry)})) << i;
    }
}

TEST_F(autosize_on_calc, ShrinkingAndGrowingAgainLandsExactlyOnTheRecordedRectanglesTimesTheRatio) {
    resize_to(2100, 1995);
    resize_to(3000, 2500);
    resize_to(11111, 7777);
    const double rx = 11111.0 / 7185, ry = 7777.0 / 5880;
    const auto d = designed();
    const auto n = now();
    for (std::size_t i = 0; i < d.size(); ++i) {
        EXPECT_EQ(n[i], (twips_rect{scaled(d[i].left, rx), scaled(d[i].top, ry), scaled(d[i].width, rx),
                                    scaled(d[i].height, ry)}))
            << i;
    }
}

// A control reached property by property; each property can be missing or read-only.
struct probe_control : window::layout_control {
    double l = 0, t = 0, w = 0, h = 0;
    bool has_left = true, height_settable = true;
    int moves = 0;
    bool last_move_had_height = false;

    double Left() const override { return has_left ? l : throw std::runtime_error("no Left"); }
    double Top() const override { return t; }
    double Width() const override { return w; }
    double Height() const override { return h; }
    void set_Left(double v) override { has_left ? void(l = v) : throw std::runtime_error("no Left"); }
    void set_Top(double v) override { t = v; }
    void set_Width(double v) override { w = v; }
    void set_Height(double v) override { height_settable ? void(h = v) : throw std::runtime_error("read-only"); }
    void Move(double left, double top, double width, std::optional<double> height) override {
        ++moves;
        l = left, t = top, w = width;
        last_move_had_height = height.has_value();
        if (height) h = *height;
    }
};

TEST(autosize_form, AControlWithoutAPositionTakesNoEntryAndIsNeverMoved) {
    probe_control a, no_position, b;
    a.l = 10, a.t = 20, a.w = 30, a.h = 40;
    no_position.has_left = false, no_position.t = 5, no_position.w = 6, no_position.h = 7;
    b.l = 100, b.t = 200, b.w = 300, b.h = 400;
    window::autosize_form layout;
    layout.record_layout(1000, 500, {&a, &no_position, &b});
    ASSERT_EQ(layout.design_rects.size(), 5u);
    EXPECT_EQ(layout.design_rects[1], (window::autosize_form::rect_record{100, 200, 300, 400}));
    layout.apply_layout(2000, 1500, {&a, &no_position, &b});
    EXPECT_EQ(no_position.moves, 0);
    EXPECT_EQ(b.l, 200);
    EXPECT_EQ(b.t, 600);
    EXPECT_EQ(b.w, 600);
    EXPECT_EQ(b.h, 1200);
}

TEST(autosize_form, AControlWhoseHeightCannotBeSetIsMovedAndWidenedButKeepsItsHeight) {
    probe_control c;
    c.l = 10, c.t = 20, c.w = 30, c.h = 40;
    c.height_settable = false;
    window::autosize_form layout;
    layout.record_layout(100, 100, {&c});
    layout.apply_layout(150, 300, {&c});
    EXPECT_FALSE(c.last_move_had_height);
    EXPECT_DOUBLE_EQ(c.l, 15);
    EXPECT_DOUBLE_EQ(c.t, 60);
    EXPECT_DOUBLE_EQ(c.w, 45);
    EXPECT_DOUBLE_EQ(c.h, 40);
}

TEST(autosize_form, ValuesPassedToMoveAreNotRounded) {
    probe_control c;
    c.l = 1, c.t = 1, c.w = 1, c.h = 1;
    window::autosize_form layout;
    layout.record_layout(3, 3, {&c});
    layout.apply_layout(4, 5, {&c});
    EXPECT_DOUBLE_EQ(c.l, 4.0 / 3);
    EXPECT_DOUBLE_EQ(c.h, 5.0 / 3);
}

TEST(autosize_form, ApplyingBeforeAnythingIsRecordedLeavesEveryControlAlone) {
    probe_control c;
    c.l = 10;
    window::autosize_form layout;
    layout.apply_layout(100, 100, {&c});
    EXPECT_EQ(c.moves, 0);
}

}  // namespace
