// The main window on fakes whose window system and forms share one geometry: a screen
// of 1920 x 1080 pixels at 15 twips per pixel, a pointer, and timers the test steps. The
// designed window is 479 x 392 pixels: 473 x 368 client pixels in a 3-pixel border
// under an 18-pixel caption.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/calc.h"
#include "fakes/fake_forms.h"
#include "fakes/fake_window_system.h"

namespace window_test {

struct calc_window : ::testing::Test {
    fakes::fake_forms_runtime forms;
    fakes::fake_window_system windows{nullptr, &forms};
    std::unique_ptr<app::calc> calc;

    calc_window() {
        calc = std::make_unique<app::calc>(
            app::calc_services{forms, windows, [] { return std::unique_ptr<platform::file_system>(); }});
        calc->load();
        calc->show();
    }

    fakes::fake_form& form() { return *forms.live("calc"); }
    platform::window_handle hwnd() { return form().handle(); }
    window::docking& dock() { return calc->docking; }
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
};

}  // namespace window_test
