// The desktop as the window behaviour sees it: "the screen" of a drag, a docking and a
// slide is the monitor the window is on, and only the desktop's outer edges clamp and
// dock. Read afresh each time it is needed, as the screen metrics are.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/forms.h"
#include "platform/window_system.h"

namespace window {

// A monitor in the forms runtime's twips, with the desktop's outer edges marked.
struct screen_area {
    platform::twips_rect rect;
    platform::monitor_edges outer;
    int right() const { return rect.left + rect.width; }
    int bottom() const { return rect.top + rect.height; }
    friend bool operator==(const screen_area&, const screen_area&) = default;
};

class desktop {
public:
    // The window system's monitors; where it tells none, the runtime's one screen at the
    // origin, all of whose edges are outer.
    desktop(const platform::screen_metrics& screen, const platform::window_system& windows);

    const screen_area& primary() const { return screens_[primary_]; }
    // The monitor under the point, or the nearest one.
    const screen_area& under(platform::pixel_point p) const;
    // The monitor that holds the most of the rectangle, or the nearest one when none
    // holds any of it.
    const screen_area& holding(const platform::pixel_rect& r) const;
    // The monitor that holds the most of a monitor as it was.
    const screen_area& holding(const screen_area& earlier) const;
    // Whether every part of the rectangle lies on some monitor.
    bool covers(const platform::pixel_rect& r) const;

    // The monitor's edges in pixels, real numbers for odd twips-per-pixel ratios.
    double left_px(const screen_area& s) const { return static_cast<double>(s.rect.left) / tpp_x_; }
    double top_px(const screen_area& s) const { return static_cast<double>(s.rect.top) / tpp_y_; }
    double right_px(const screen_area& s) const { return static_cast<double>(s.right()) / tpp_x_; }
    double bottom_px(const screen_area& s) const { return static_cast<double>(s.bottom()) / tpp_y_; }
    // The monitor's top-left corner, whole pixels.
    platform::pixel_point corner_px(const screen_area& s) const;

private:
    double overlap(const screen_area& s, const platform::pixel_rect& r) const;
    double distance(const screen_area& s, double x, double y) const;
    const screen_area& nearest(double x, double y) const;

    int tpp_x_;
    int tpp_y_;
    std::vector<screen_area> screens_;
    std::size_t primary_ = 0;
};

}  // namespace window
