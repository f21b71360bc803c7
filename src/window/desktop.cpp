#include "window/desktop.h"

#include <algorithm>
#include <cmath>

namespace window {

desktop::desktop(const platform::screen_metrics& screen, const platform::window_system& windows)
    : tpp_x_(std::max(1, screen.twips_per_pixel_x())), tpp_y_(std::max(1, screen.twips_per_pixel_y())) {
    for (const platform::monitor& m : windows.monitors()) {
        const platform::pixel_rect& r = m.rect;
        if (m.primary) primary_ = screens_.size();
        const platform::twips_rect twips{r.left * tpp_x_, r.top * tpp_y_, (r.right - r.left) * tpp_x_,
                                         (r.bottom - r.top) * tpp_y_};
        screens_.push_back({twips, m.outer});
    }
    if (screens_.empty()) screens_.push_back({{0, 0, screen.screen_width(), screen.screen_height()}, {}});
}

double desktop::overlap(const screen_area& s, const platform::pixel_rect& r) const {
    const double w = std::min<double>(right_px(s), r.right) - std::max<double>(left_px(s), r.left);
    const double h = std::min<double>(bottom_px(s), r.bottom) - std::max<double>(top_px(s), r.top);
    return w > 0 && h > 0 ? w * h : 0;
}

double desktop::distance(const screen_area& s, double x, double y) const {
    const double dx = std::max({left_px(s) - x, 0.0, x - right_px(s)});
    const double dy = std::max({top_px(s) - y, 0.0, y - bottom_px(s)});
    return std::hypot(dx, dy);
}

const screen_area& desktop::nearest(double x, double y) const {
    return *std::min_element(screens_.begin(), screens_.end(), [&](const screen_area& a, const screen_area& b) {
        return distance(a, x, y) < distance(b, x, y);
    });
}

const screen_area& desktop::under(platform::pixel_point p) const {
    for (const screen_area& s : screens_) {
        if (left_px(s) <= p.x && p.x < right_px(s) && top_px(s) <= p.y && p.y < bottom_px(s)) return s;
    }
    return nearest(p.x, p.y);
}

const screen_area& desktop::holding(const platform::pixel_rect& r) const {
    const screen_area* best = nullptr;
    double most = 0;
    for (const screen_area& s : screens_) {
        const double o = overlap(s, r);
        if (o > most) {
            most = o;
            best = &s;
        }
    }
    if (best) return *best;
    return nearest((static_cast<double>(r.left) + r.right) / 2, (static_cast<double>(r.top) + r.bottom) / 2);
}

platform::pixel_point desktop::corner_px(const screen_area& s) const {
    return {static_cast<int>(std::lround(left_px(s))), static_cast<int>(std::lround(top_px(s)))};
}

const screen_area& desktop::holding(const screen_area& earlier) const {
    const auto px = [](int twips, int tpp) { return static_cast<int>(std::lround(static_cast<double>(twips) / tpp)); };
    return holding(platform::pixel_rect{px(earlier.rect.left, tpp_x_), px(earlier.rect.top, tpp_y_),
                                        px(earlier.right(), tpp_x_), px(earlier.bottom(), tpp_y_)});
}

bool desktop::covers(const platform::pixel_rect& r) const {
    double covered = 0;
    for (const screen_area& s : screens_) covered += overlap(s, r);
    return covered >= static_cast<double>(r.right - r.left) * (r.bottom - r.top);
}

}  // namespace window
