#include "window/docking.h"
#include "window/round_even.h"

namespace window {

void docking::GetWindowMessage(iSubClass& hook, platform::lresult& Result, platform::window_handle cHwnd,
                               platform::message_id Message, platform::wparam wParam, platform::lparam lParam) {
    switch (Message) {
        case platform::wm_nclbuttondown:
            if (wParam == platform::htcaption) caption_press();
            break;
        case platform::wm_moving:
            // A move that did not start from the caption (the keyboard's) is left alone and
            // not passed on; the window system applies its rectangle all the same.
            if (!caption_drag) return;
            snap_to_edges(lParam);
            break;
        case platform::wm_exitsizemove:
            end_size_move();
            break;
        default:
            break;
    }
    platform::lresult passed = 0;
    hook.CallDefaultWindowProc(cHwnd, Message, wParam, lParam, passed);
    Result = passed;
}

double docking::screen_width_px() const {
    return static_cast<double>(s_.forms.screen_width()) / s_.forms.twips_per_pixel_x();
}

int docking::screen_height_px() const {
    return static_cast<int>(round_even(static_cast<double>(s_.forms.screen_height()) / s_.forms.twips_per_pixel_y()));
}

// Before the press is passed on: passing it on runs the whole drag, whose messages must
// already find the drag flagged and no slide under way.
void docking::caption_press() {
    caption_drag = true;
    s_.tmrCheck.set_enabled(false);
    s_.tmrMove.set_enabled(false);
}

// Keeps the dragged window within the left, top and right screen edges at its size, and
// stretches it to the screen's height while it sits in a top corner.
void docking::snap_to_edges(platform::lparam proposed) {
    const platform::pixel_rect w = window_rect();
    const double s = screen_width_px();
    const int s_rounded = static_cast<int>(round_even(s));
    const int width = w.right - w.left;
    platform::pixel_rect r = platform::read_rect_param(proposed);
    if (r.left < 0) {
        r.left = 0;
        r.right = width;
    }
    if (r.top < 0) {
        r.top = 0;
        r.bottom = w.bottom - w.top;
    }
    if (r.right > s_rounded) {
        r.left = s_rounded - width;
        r.right = r.left + width;
    }
    const bool in_top_corner = r.top == 0 && (r.left == 0 || r.right == s);
    if (in_top_corner && !stretched) {
        saved_height = r.bottom - r.top;
        stretched = true;
        r.bottom = screen_height_px();
    } else if (!in_top_corner && stretched) {
        stretched = false;
        r.bottom = r.top + saved_height;
    }
    platform::write_rect_param(proposed, r);
}

// A move or resize that ends touching an edge picks the edge to dock at and starts the
// pointer watch; one that ends away from every edge changes nothing.
void docking::end_size_move() {
    caption_drag = false;
    const platform::pixel_rect w = window_rect();
    const double s = screen_width_px();
    if (!(s <= w.right || w.top < 1 || w.left < 1)) return;
    if (w.left == 0) {
        dock_side = dock_left;
    } else if (s <= w.right) {
        dock_side = dock_right;
    } else if (w.top == 0) {
        dock_side = dock_top;
    }
    s_.tmrCheck.set_enabled(true);
}

}  // namespace window
