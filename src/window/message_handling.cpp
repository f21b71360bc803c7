#include "window/message_handling.h"

#include "vbscript/rounding.h"

namespace window {

void message_handling::GetWindowMessage(iSubClass& hook, platform::lresult& Result, platform::window_handle cHwnd,
                                        platform::message_id Message, platform::wparam wParam,
                                        platform::lparam lParam) {
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

double message_handling::screen_width_px() const {
    return static_cast<double>(forms_.screen_width()) / forms_.twips_per_pixel_x();
}

int message_handling::screen_height_px() const {
    const double height = static_cast<double>(forms_.screen_height()) / forms_.twips_per_pixel_y();
    return static_cast<int>(vbscript::round_half_even(height));
}

// Before the press is passed on: passing it on runs the whole drag, whose messages must
// already find the drag flagged and no slide under way.
void message_handling::caption_press() {
    caption_drag = true;
    dock_.stop();
}

// Keeps the dragged window within the left, top and right screen edges at its size, and
// stretches it to the screen's height while it sits in a top corner.
void message_handling::snap_to_edges(platform::lparam proposed) {
    const platform::pixel_rect w = window_rect();
    const double s = screen_width_px();
    const int s_rounded = static_cast<int>(vbscript::round_half_even(s));
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
void message_handling::end_size_move() {
    caption_drag = false;
    const platform::pixel_rect w = window_rect();
    const double s = screen_width_px();
    if (!(s <= w.right || w.top < 1 || w.left < 1)) return;
    std::optional<screen_edge> side;
    if (w.left == 0) {
        side = screen_edge::left;
    } else if (s <= w.right) {
        side = screen_edge::right;
    } else if (w.top == 0) {
        side = screen_edge::top;
    }
    dock_.dock(side);
}

}  // namespace window
