// Edge docking and auto-hide: once a move or resize of the main window has ended against
// the left, right or top edge of the desktop, a watch compares the pointer with the window
// every 50 ms; when the pointer leaves the window it slides out of sight, leaving a strip
// on the monitor it docked at, and when the pointer touches that strip it slides back.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/forms.h"
#include "platform/window_system.h"
#include "window/desktop.h"

namespace window {

enum class screen_edge { left, right, top };

// Where the watch last saw the pointer; also the goal of the slide (inside: come out).
enum class pointer_place { outside, inside };

// Twips of the window beyond the edge when shown, and of the strip on screen when hidden.
inline constexpr int dock_margin = 60;
inline constexpr int first_slide_step = 30;
// A slide's step grows by slide_step_growth twips a tick up to slide_step_fast_from, and
// beyond it by slide_step_fast_growth of itself.
inline constexpr int slide_step_growth = 30;
inline constexpr int slide_step_fast_from = 300;
inline constexpr double slide_step_fast_growth = 0.2;

struct docking_services {
    platform::form& form;
    platform::screen_metrics& screen;
    platform::window_system& windows;
    platform::timer& tmrCheck;  // watches the pointer, every 50 ms
    platform::timer& tmrMove;   // one slide step per tick, every 1 ms
};

class docking {
public:
    explicit docking(docking_services s) : s_(s) {}

    // A move or resize ended against an outer edge of `screen`: dock there at `side`
    // (none: the side docked at before) and start the watch.
    void dock(std::optional<screen_edge> side, const screen_area& screen);
    // Stops the watch and any slide, where the window stands.
    void stop();
    // The monitors changed. A docked window whose edge is still an outer one of the monitor
    // it docked at (or of the one that now holds most of where that was) goes to its rest
    // position there and keeps docking; any other docked window, and one no longer wholly
    // on the monitors, is moved the least that puts it wholly on that monitor (or the one
    // holding most of it), and a docked one stops docking.
    void display_changed();
    void tmrCheck_Timer();
    void tmrMove_Timer();

private:
    void grow_slide_step();
    // The rest position across the edge for the goal, in twips.
    std::int64_t rest_position(const platform::twips_rect& r, bool show) const;
    // The monitor docked at; before the first docking, the one holding the window.
    screen_area docked_screen() const;

    docking_services s_;
    pointer_place cursor_inside = pointer_place::outside;
    screen_edge dock_side = screen_edge::left;
    int slide_step = 0;  // twips of the next slide step
    std::optional<screen_area> docked_at_;
};

}  // namespace window
