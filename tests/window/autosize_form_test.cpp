#include "window/autosize_form.h"

#include <gtest/gtest.h>

#include <cmath>
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
    const auto& layout = parts.layout;
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

TEST(autosize_form, ApplyingBeforeAnythingIsRecordedLeavesEveryControlAlone) {
    fakes::fake_forms_runtime forms;
    const auto form = forms.create_form(app::calc_design());
    form->move({0, 0, 14370, 11760});
    window::autosize_form layout;
    layout.apply_layout(*form);
    std::vector<twips_rect> now;
    for (platform::control* c : form->controls()) now.push_back(c->rect());
    std::vector<twips_rect> designed;
    for (const auto& c : app::calc_design().controls) designed.push_back(c.rect);
    EXPECT_EQ(now, designed);
}

}  // namespace
