// Fake window system: the rectangles of the windows on the screen, in pixels; records
// every call. Linked to a fake forms runtime (which holds the screen's size), a form's
// handle addresses its window and the window's rectangle is the form's. It keeps each
// window's procedure chain, the monitors and a pointer the test places, and runs a drag
// or border resize as the window system's move loop would: entirely inside the default
// handling of the press.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fakes/fake_forms.h"
#include "platform/window_system.h"

namespace fakes {

using pixel_rect = platform::pixel_rect;

class fake_window_system : public platform::window_system {
public:
    explicit fake_window_system(std::vector<std::string>* log = nullptr, fake_forms_runtime* forms = nullptr)
        : log_(log), forms_(forms) {}

    bool set_window_pos(platform::window_handle w, platform::window_handle insert_after, int x, int y, int cx, int cy,
                        unsigned flags) override;
    pixel_rect window_rect(platform::window_handle w) const override;
    std::vector<platform::monitor> monitors() const override { return monitor_list; }
    platform::pixel_point cursor_pos() const override { return cursor; }
    bool pointer_gone_from(platform::window_handle) const override { return pointer_gone; }
    platform::window_proc window_procedure(platform::window_handle w) const override;
    platform::window_proc set_window_procedure(platform::window_handle w, platform::window_proc p) override;

    // Delivers one message through the window's current procedure; a bare number is a
    // message that carries nothing.
    platform::lresult send(platform::window_handle w, const platform::window_message& m);
    platform::lresult send(platform::window_handle w, platform::message_id m) {
        return send(w, platform::window_message::plain(m));
    }
    // A left-button press at the pointer on the part of the window that hit names
    // (htcaption or a border code), then the pointer moving through path and released.
    // When the press reaches the default procedure, the move loop runs inside it: for
    // every point a wm_moving (caption) or wm_sizing (border) with the proposed rectangle,
    // which is then applied, and at the end wm_exitsizemove.
    void drag(platform::window_handle w, platform::hit_test_code hit, const std::vector<platform::pixel_point>& path);
    // Places the window's outer rectangle directly, as the user or another program might.
    void place(platform::window_handle w, const pixel_rect& r);

    // One message that reached a window's default procedure.
    struct delivered {
        platform::window_handle window = 0;
        platform::message_id message = 0;
        platform::hit_test_code hit_test = 0;  // for wm_nclbuttondown
        pixel_rect rect;                       // for wm_moving and wm_sizing: the rectangle as passed on
    };
    std::vector<delivered> defaults;                   // every message the default procedures saw
    std::function<void(const delivered&)> on_default;  // called as each arrives there
    std::vector<pixel_rect> applied;                   // every rectangle a move loop applied
    platform::lresult default_result = 0;              // what the default procedures answer

    struct window_state {
        pixel_rect rect;
        bool topmost = false;
        int raises = 0;
        platform::window_proc proc;
    };
    std::map<platform::window_handle, window_state> windows;
    platform::pixel_point cursor;
    // Empty: the window system tells no monitors, and the forms runtime's screen holds.
    std::vector<platform::monitor> monitor_list;
    bool pointer_gone = false;  // the window system reported the pointer gone from the window

private:
    platform::lresult default_procedure(platform::window_handle w, const platform::window_message& m);
    void run_move_loop(platform::window_handle w, platform::hit_test_code hit);
    fake_form* form_of(platform::window_handle w) const;
    std::vector<std::string>* log_;
    fake_forms_runtime* forms_;
    std::vector<platform::pixel_point> pending_path_;
};

}  // namespace fakes
