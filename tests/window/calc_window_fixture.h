// The main window's form with the window subsystem wired to it as the main window wires
// it (the layout on every resize, the hook with the drag handling behind it, the docking
// on tmrCheck and tmrMove, the keeper on Timer_alltop), on fakes whose window system and
// forms share one geometry: a screen of 1920 x 1080 pixels at 15 twips per pixel, a
// pointer, and timers the test steps. The designed window is 479 x 392 pixels: 473 x 368
// client pixels in a 3-pixel border under an 18-pixel caption.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>

#include "app/calc_design.h"
#include "fakes/fake_forms.h"
#include "fakes/fake_window_system.h"
#include "window/autosize_form.h"
#include "window/docking.h"
#include "window/isubclass.h"
#include "window/message_handling.h"
#include "window/topmost_keeper.h"

namespace window_test {

// The window subsystem on one form; also used on the real Qt window.
struct window_parts {
    platform::form& form;
    window::autosize_form layout;
    window::docking dock;
    window::message_handling handling;
    window::iSubClass hook;

    window_parts(platform::form& f, platform::forms_runtime& forms, platform::window_system& windows)
        : form(f),
          dock({f, forms, windows, f.timer_named("tmrCheck"), f.timer_named("tmrMove")}),
          handling(f, forms, windows, dock),
          hook(windows) {
        layout.record_layout(f);
        f.on_resize = [this] { layout.apply_layout(form); };
        f.timer_named("tmrCheck").on_tick = [this] { dock.tmrCheck_Timer(); };
        f.timer_named("tmrMove").on_tick = [this] { dock.tmrMove_Timer(); };
        f.timer_named("Timer_alltop").on_tick = [&windows, &f] { window::keep_topmost(windows, f.handle()); };
        windows.set_window_pos(f.handle(), platform::hwnd_topmost, 0, 0, 0, 0,
                               platform::swp_nosize | platform::swp_framechanged);
        hook.GetWindowMessage = [this](platform::lresult& r, platform::window_handle w,
                                       const platform::window_message& m) { handling.GetWindowMessage(hook, r, w, m); };
        hook.SetMsgHook(f.handle());
    }
};

struct calc_window : ::testing::Test {
    fakes::fake_forms_runtime forms;
    fakes::fake_window_system windows{nullptr, &forms};
    std::unique_ptr<platform::form> window = forms.create_form(app::calc_design());
    window_parts parts{*window, forms, windows};

    calc_window() { window->show(); }

    fakes::fake_form& form() { return static_cast<fakes::fake_form&>(*window); }
    platform::window_handle hwnd() { return form().handle(); }
    platform::pixel_rect rect() { return windows.window_rect(hwnd()); }
    platform::twips_rect twips() { return form().rect(); }
    bool tick(const char* timer) { return form().fake_timer_named(timer).tick(); }
    bool enabled(const char* timer) { return form().fake_timer_named(timer).enabled(); }

    // Puts the window's top-left corner at (x, y) pixels, keeping its size.
    void place_at(int x, int y) {
        const platform::pixel_rect r = rect();
        windows.place(hwnd(), {x, y, x + r.right - r.left, y + r.bottom - r.top});
    }
    // Presses the caption 10 pixels into the window and drags by each (dx, dy) in turn,
    // counted from the press.
    void drag_by(std::initializer_list<platform::pixel_point> offsets) {
        const platform::pixel_rect r = rect();
        windows.cursor = {r.left + 100, r.top + 10};
        std::vector<platform::pixel_point> path;
        for (auto d : offsets) path.push_back({windows.cursor.x + d.x, windows.cursor.y + d.y});
        windows.drag(hwnd(), platform::htcaption, path);
    }
    // Runs the slide to its end; returns the number of ticks.
    int slide_home() {
        int ticks = 0;
        while (tick("tmrMove")) {
            if (++ticks > 1000) break;
        }
        return ticks;
    }
    // Drags the window by its caption so that its top-left corner lands at (x, y), a place
    // away from the screen's edges.
    void drag_to(int x, int y) { drag_by({{x - rect().left, y - rect().top}}); }
    // Drags the window from mid-screen flush against the side of the one screen, the
    // pointer on the window when it is released, and lets the watch see the pointer
    // there; a slide that starts runs to its end.
    void dock_at(window::screen_edge side) {
        place_at(600, 300);
        switch (side) {
        case window::screen_edge::left: drag_by({{-rect().left, 0}}); break;
        case window::screen_edge::right: drag_by({{1920 - rect().right, 0}}); break;
        case window::screen_edge::top: drag_by({{0, -rect().top}}); break;
        }
        tick("tmrCheck");
        slide_home();
    }
    // Puts the pointer at p and lets the watch see it; a slide that starts runs to its end.
    void watch_pointer_at(platform::pixel_point p) {
        windows.cursor = p;
        tick("tmrCheck");
        slide_home();
    }
    platform::pixel_point middle() {
        const platform::pixel_rect r = rect();
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // The edge of the one screen that the window slides out of view at when the pointer
    // rests on it and then leaves for the middle of the screen; none when it stays where it
    // is, with no watch running.
    std::optional<window::screen_edge> hiding_side() {
        watch_pointer_at(middle());
        watch_pointer_at({960, 540});
        const platform::twips_rect r = twips();
        if (r.left == 60 - r.width) return window::screen_edge::left;
        if (r.left == 1920 * 15 - 60) return window::screen_edge::right;
        if (r.top == 60 - r.height) return window::screen_edge::top;
        return std::nullopt;
    }
    // A wm_moving sent on its own, as a move by the keyboard sends it: the rectangle as the
    // hook left it, and whether it reached the default procedure.
    struct lone_moving {
        platform::pixel_rect rect;
        bool passed_on;
    };
    lone_moving send_moving(platform::pixel_rect proposed) {
        const std::size_t before = windows.defaults.size();
        windows.send(hwnd(), platform::window_message::moving(proposed));
        const bool passed =
            std::any_of(windows.defaults.begin() + static_cast<std::ptrdiff_t>(before), windows.defaults.end(),
                        [](const auto& d) { return d.message == platform::wm_moving; });
        return {proposed, passed};
    }
};

}  // namespace window_test
