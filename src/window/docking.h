// Edge docking and auto-hide: once a move or resize of the main window has ended against
// the left, right or top screen edge, a watch compares the pointer with the window every
// 50 ms; when the pointer leaves the window it slides out of sight, leaving a strip on
// screen, and when the pointer touches that strip it slides back.
#pragma once

#include <optional>

#include "platform/forms.h"
#include "platform/window_system.h"

namespace window {

enum class screen_edge { left, right, top };

// Where the watch last saw the pointer; also the goal of the slide (inside: come out).
enum class pointer_place { outside, inside };

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

    // A move or resize ended against an edge: dock at `side` (none: the side docked at
    // before) and start the watch.
    void dock(std::optional<screen_edge> side);
    // Stops the watch and any slide, where the window stands.
    void stop();
    void tmrCheck_Timer();
    void tmrMove_Timer();

    pointer_place cursor_inside = pointer_place::outside;
    screen_edge dock_side = screen_edge::left;
    int slide_step = 0;  // twips of the next slide step

private:
    void grow_slide_step();

    docking_services s_;
};

}  // namespace window
