// How the main window behaves as a window: while its caption is dragged it is kept on
// the screen and stretched to the full screen height in a top corner; once a move or
// resize ends against the left, right or top edge it slides out of sight when the
// pointer leaves it and back when the pointer touches the strip left on screen.
#pragma once

#include "platform/forms.h"
#include "platform/window_system.h"
#include "window/isubclass.h"

namespace window {

inline constexpr int dock_left = 0;
inline constexpr int dock_right = 1;
inline constexpr int dock_top = 2;

// Twips of the window beyond the edge when shown, and of the strip on screen when hidden.
inline constexpr int dock_margin = 60;
inline constexpr int first_slide_step = 30;

struct docking_services {
    platform::form& form;
    platform::forms_runtime& forms;
    platform::window_system& windows;
    platform::timer& tmrCheck;  // watches the pointer, every 50 ms
    platform::timer& tmrMove;   // one slide step per tick, every 1 ms
};

class docking {
public:
    explicit docking(docking_services s) : s_(s) {}

    // The window's hooked messages. Everything but a wm_moving outside a caption drag is
    // passed on through hook after its own work; Result gets the previous procedure's answer.
    void GetWindowMessage(iSubClass& hook, platform::lresult& Result, platform::window_handle cHwnd,
                          platform::message_id Message, platform::wparam wParam, platform::lparam lParam);
    void tmrCheck_Timer();
    void tmrMove_Timer();

    // 1 when the watch last saw the pointer inside the window; also the slide's goal
    // (1 come out, 0 go in).
    int cursor_inside = 0;
    int dock_side = dock_left;  // dock_left, dock_right or dock_top
    int slide_step = 0;         // twips of the next slide step
    bool caption_drag = false;  // inside a move loop started from the caption
    bool stretched = false;     // stretched to the screen height in a top corner
    int saved_height = 0;       // pixels, the height before the stretch

private:
    void caption_press();
    void snap_to_edges(platform::lparam proposed);
    void end_size_move();
    void grow_slide_step();
    platform::pixel_rect window_rect() const { return s_.windows.window_rect(s_.form.handle()); }
    // The screen's width in pixels, a real number for odd twips-per-pixel ratios.
    double screen_width_px() const;
    int screen_height_px() const;

    docking_services s_;
};

}  // namespace window
