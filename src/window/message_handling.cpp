#include "window/message_handling.h"

#include "common/rounding.h"
#include "window/desktop.h"

namespace window {

void message_handling::GetWindowMessage(iSubClass& hook, platform::lresult& Result, platform::window_handle cHwnd,
                                        const platform::window_message& Message) {
    switch (Message.id()) {
    case platform::wm_nclbuttondown:
        if (Message.press().hit_test == platform::htcaption) caption_press();
        break;
    case platform::wm_moving:
        // A move that did not start from the caption (the keyboard's) is left alone and
        // not passed on; the window system applies its rectangle all the same.
        if (!caption_drag) return;
        snap_to_edges(Message.proposed());
        break;
    case platform::wm_exitsizemove: end_size_move(); break;
    case platform::wm_displaychange: dock_.display_changed(); break;
    default: break;
    }
    platform::lresult passed = 0;
    hook.CallDefaultWindowProc(cHwnd, Message, passed);
    Result = passed;
}

// Before the press is passed on: passing it on runs the whole drag, whose messages must
// already find the drag flagged and no slide under way.
void message_handling::caption_press() {
    caption_drag = true;
    dock_.stop();
}

namespace {

int rounded(double v) { return static_cast<int>(common::round_half_even(v)); }

}  // namespace

// Keeps the dragged window within the outer edges of the monitor under the pointer at its
// size, and stretches it to that monitor's height while it sits in one of its top corners
// at the desktop's edges. A window crosses freely to a neighbouring monitor.
void message_handling::snap_to_edges(platform::pixel_rect& proposed) {
    const platform::pixel_rect w = window_rect();
    const desktop d(screen_, windows_);
    const screen_area& m = d.under(windows_.cursor_pos());
    const double s = d.right_px(m);
    const int s_rounded = rounded(s);
    const int left = rounded(d.left_px(m)), top = rounded(d.top_px(m));
    const int width = w.right - w.left;
    platform::pixel_rect r = proposed;
    if (m.outer.left && r.left < left) {
        r.left = left;
        r.right = left + width;
    }
    if (m.outer.top && r.top < top) {
        r.top = top;
        r.bottom = top + (w.bottom - w.top);
    }
    if (m.outer.right && r.right > s_rounded) {
        r.left = s_rounded - width;
        r.right = r.left + width;
    }
    const bool in_top_corner =
        m.outer.top && r.top == top && ((m.outer.left && r.left == left) || (m.outer.right && r.right == s));
    if (in_top_corner && !stretched) {
        saved_height = r.bottom - r.top;
        stretched = true;
        r.bottom = rounded(d.bottom_px(m));
    } else if (!in_top_corner && stretched) {
        stretched = false;
        r.bottom = r.top + saved_height;
    }
    proposed = r;
}

// A move or resize that ends touching an outer edge of the monitor holding the window
// picks the edge to dock at and starts the pointer watch; one that ends away from them
// changes nothing.
void message_handling::end_size_move() {
    caption_drag = false;
    const platform::pixel_rect w = window_rect();
    const desktop d(screen_, windows_);
    const screen_area& m = d.holding(w);
    const double s = d.right_px(m), left = d.left_px(m), top = d.top_px(m);
    const bool at_right = m.outer.right && s <= w.right;
    if (!(at_right || (m.outer.top && w.top < top + 1) || (m.outer.left && w.left < left + 1))) return;
    std::optional<screen_edge> side;
    if (m.outer.left && w.left == left) {
        side = screen_edge::left;
    } else if (at_right) {
        side = screen_edge::right;
    } else if (m.outer.top && w.top == top) {
        side = screen_edge::top;
    }
    dock_.dock(side, m);
}

}  // namespace window
