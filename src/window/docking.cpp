#include "window/docking.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "vbscript/rounding.h"

namespace window {

namespace {

constexpr std::int64_t int_max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t int_min = std::numeric_limits<std::int32_t>::min();

int clamp_int(std::int64_t v) { return static_cast<int>(std::clamp(v, int_min, int_max)); }

}  // namespace

void docking::dock(std::optional<screen_edge> side) {
    if (side) dock_side = *side;
    s_.tmrCheck.set_enabled(true);
}

void docking::stop() {
    s_.tmrCheck.set_enabled(false);
    s_.tmrMove.set_enabled(false);
}

void docking::tmrCheck_Timer() {
    const platform::pixel_point p = s_.windows.cursor_pos();
    const platform::pixel_rect w = s_.windows.window_rect(s_.form.handle());
    const pointer_place now = w.left <= p.x && p.x < w.right && w.top <= p.y && p.y < w.bottom
                                  ? pointer_place::inside
                                  : pointer_place::outside;
    // Every change of side restarts the slide towards the new goal, also mid-slide.
    if (cursor_inside == now) return;
    cursor_inside = now;
    slide_step = first_slide_step;
    s_.tmrMove.set_enabled(true);
}

// 30 twips more per tick up to 300, then a fifth more per tick. Saturates instead of
// overflowing, so that a window far off the screen still slides home.
void docking::grow_slide_step() {
    std::int64_t step = static_cast<std::int64_t>(slide_step) + 30;
    if (step > 300) step += static_cast<std::int64_t>(vbscript::round_half_even(static_cast<double>(step) * 0.2));
    slide_step = clamp_int(step);
}

// One step towards the rest position of dock_side: shown 60 twips beyond the edge,
// hidden with a 60-twip strip on screen. The direction is fixed by the side and the
// goal, so a window beyond its rest position lands there in one tick.
void docking::tmrMove_Timer() {
    grow_slide_step();
    const platform::twips_rect r = s_.form.rect();
    const std::int64_t left = r.left, top = r.top, step = slide_step;
    const std::int64_t sw = s_.forms.screen_width();
    const bool show = cursor_inside == pointer_place::inside;
    std::int64_t goal = 0;
    std::int64_t next = 0;
    bool reached = false;
    switch (dock_side) {
        case screen_edge::left:
            goal = show ? -dock_margin : dock_margin - std::int64_t{r.width};
            next = show ? left + step : left - step;
            reached = show ? next > goal : goal > next;
            break;
        case screen_edge::right:
            goal = show ? sw - r.width + dock_margin : sw - dock_margin;
            next = show ? left - step : left + step;
            reached = show ? goal > next : goal < next;
            break;
        case screen_edge::top:
            goal = show ? -dock_margin : dock_margin - std::int64_t{r.height};
            next = show ? top + step : top - step;
            reached = show ? next > goal : goal > next;
            break;
    }
    if (reached) {
        next = goal;
        s_.tmrMove.set_enabled(false);
    }
    platform::twips_rect moved = r;
    (dock_side == screen_edge::top ? moved.top : moved.left) = clamp_int(next);
    s_.form.move(moved);
}

}  // namespace window
