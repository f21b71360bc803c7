// The main window's hooked messages. While its caption is dragged the window is kept
// within the left, top and right edges of the desktop and stretched to its monitor's
// height in a top corner; a move or resize that ends against such an edge docks the
// window there; a change of the monitors brings the window back onto them.
#pragma once

#include "platform/forms.h"
#include "platform/window_system.h"
#include "window/docking.h"
#include "window/isubclass.h"

namespace window {

class message_handling {
public:
    message_handling(platform::form& form, platform::screen_metrics& screen, platform::window_system& windows,
                     docking& dock)
        : form_(form), screen_(screen), windows_(windows), dock_(dock) {}

    // Everything but a wm_moving outside a caption drag is passed on through the hook
    // after its own work; Result gets the previous procedure's answer.
    void GetWindowMessage(iSubClass& hook, platform::lresult& Result, platform::window_handle cHwnd,
                          const platform::window_message& Message);

private:
    void caption_press();
    void snap_to_edges(platform::pixel_rect& proposed);
    void end_size_move();
    platform::pixel_rect window_rect() const { return windows_.window_rect(form_.handle()); }

    platform::form& form_;
    platform::screen_metrics& screen_;
    platform::window_system& windows_;
    docking& dock_;
    bool caption_drag = false;  // inside a move loop started from the caption
    bool stretched = false;     // stretched to the screen height in a top corner
    int saved_height = 0;       // pixels, the height before the stretch
};

}  // namespace window
