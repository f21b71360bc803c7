#include "window/autosize_form.h"

#include "common/rounding.h"

namespace window {

namespace {

int whole(double v) { return static_cast<int>(common::round_half_even(v)); }

}  // namespace

void autosize_form::record_layout(platform::form& form) {
    design_width = form.rect().width;
    design_height = form.rect().height;
    const std::vector<platform::control*> controls = form.controls();
    design_rects.assign(controls.size() + 2, rect_record{});
    std::size_t i = 0;
    for (const platform::control* c : controls) {
        const platform::twips_rect r = c->rect();
        design_rects[i++] = {r.left, r.top, r.width, r.height};
    }
}

// Always from the recorded rectangles, so that repeated resizes don't accumulate rounding.
void autosize_form::apply_layout(platform::form& form) {
    // Nothing recorded yet: there is no size to scale from.
    if (design_width == 0 || design_height == 0) return;
    const double rx = static_cast<double>(form.rect().width) / design_width;
    const double ry = static_cast<double>(form.rect().height) / design_height;
    std::size_t i = 0;
    for (platform::control* c : form.controls()) {
        // A control the recording never saw has no rectangle to scale.
        if (i >= design_rects.size()) break;
        const rect_record& d = design_rects[i++];
        c->move({whole(d.left * rx), whole(d.top * ry), whole(d.width * rx), whole(d.height * ry)});
    }
}

}  // namespace window
