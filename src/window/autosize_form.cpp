#include "window/autosize_form.h"

#include <memory>

#include "window/round_even.h"

namespace window {

namespace {

int whole(double v) { return static_cast<int>(round_even(v)); }

// The properties of a platform control, each read from or written to its rectangle; it
// has all four.
class control_view : public layout_control {
public:
    explicit control_view(platform::control& c) : c_(c) {}
    double Left() const override { return c_.rect().left; }
    double Top() const override { return c_.rect().top; }
    double Width() const override { return c_.rect().width; }
    double Height() const override { return c_.rect().height; }
    void set_Left(double v) override { change([&](platform::twips_rect& r) { r.left = whole(v); }); }
    void set_Top(double v) override { change([&](platform::twips_rect& r) { r.top = whole(v); }); }
    void set_Width(double v) override { change([&](platform::twips_rect& r) { r.width = whole(v); }); }
    void set_Height(double v) override { change([&](platform::twips_rect& r) { r.height = whole(v); }); }
    void Move(double left, double top, double width, std::optional<double> height) override {
        const int kept_height = c_.rect().height;
        c_.move({whole(left), whole(top), whole(width), height ? whole(*height) : kept_height});
    }

private:
    template <class F>
    void change(F f) {
        platform::twips_rect r = c_.rect();
        const platform::twips_rect before = r;
        f(r);
        if (r != before) c_.move(r);
    }
    platform::control& c_;
};

// Probes: a property that can't be read or set back makes the answer false.
bool has_position(layout_control& c) {
    try {
        const double left = c.Left();
        const double top = c.Top();
        c.set_Left(left);
        c.set_Top(top);
        return true;
    } catch (...) {
        return false;
    }
}

bool has_size(layout_control& c) {
    try {
        const double width = c.Width();
        const double height = c.Height();
        c.set_Width(width);
        c.set_Height(height);
        return true;
    } catch (...) {
        return false;
    }
}

template <class F>
void with_views(platform::form& form, F f) {
    std::vector<std::unique_ptr<layout_control>> views;
    std::vector<layout_control*> controls;
    for (platform::control* c : form.controls()) {
        views.push_back(std::make_unique<control_view>(*c));
        controls.push_back(views.back().get());
    }
    const platform::twips_rect r = form.rect();
    f(r.width, r.height, controls);
}

}  // namespace

void autosize_form::record_layout(platform::form& form) {
    with_views(form, [this](int w, int h, const auto& controls) { record_layout(w, h, controls); });
}

void autosize_form::apply_layout(platform::form& form) {
    with_views(form, [this](int w, int h, const auto& controls) { apply_layout(w, h, controls); });
}

void autosize_form::record_layout(int form_width, int form_height, const std::vector<layout_control*>& controls) {
    design_width = form_width;
    design_height = form_height;
    design_rects.assign(controls.size() + 2, rect_record{});
    std::size_t i = 0;
    for (layout_control* c : controls) {
        if (!has_position(*c)) continue;
        design_rects[i++] = {whole(c->Left()), whole(c->Top()), whole(c->Width()), whole(c->Height())};
    }
}

// Always from the recorded rectangles, so that repeated resizes don't accumulate rounding.
void autosize_form::apply_layout(int form_width, int form_height, const std::vector<layout_control*>& controls) {
    // Nothing recorded yet: there is no size to scale from.
    if (design_width == 0 || design_height == 0) return;
    const double rx = static_cast<double>(form_width) / design_width;
    const double ry = static_cast<double>(form_height) / design_height;
    std::size_t i = 0;
    for (layout_control* c : controls) {
        if (!has_position(*c)) continue;
        // A control the recording never saw has no rectangle to scale.
        if (i >= design_rects.size()) break;
        const rect_record& d = design_rects[i++];
        if (has_size(*c)) {
            c->Move(d.left * rx, d.top * ry, d.width * rx, d.height * ry);
        } else {
            c->Move(d.left * rx, d.top * ry, d.width * rx, std::nullopt);
        }
    }
}

}  // namespace window
