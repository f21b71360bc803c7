#include "window/docking.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "common/rounding.h"

namespace window {

namespace {

constexpr std::int64_t int_max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t int_min = std::numeric_limits<std::int32_t>::min();

int clamp_int(std::int64_t v) { return static_cast<int>(std::clamp(v, int_min, int_max)); }

}  // namespace

void docking::dock(std::optional<screen_edge> side, const screen_area& screen) {
    if (side) dock_side = *side;
    docked_at_ = screen;
    s_.tmrCheck.set_enabled(true);
}

void docking::stop() {
    s_.tmrCheck.set_enabled(false);
    s_.tmrMove.set_enabled(false);
}

void docking::tmrCheck_Timer() {
    const platform::pixel_point p = s_.windows.cursor_pos();
    const platform::pixel_rect w = s_.windows.window_rect(s_.form.handle());
    const bool over = w.left <= p.x && p.x < w.right && w.top <= p.y && p.y < w.bottom;
    // A stale position would keep the pointer inside after it has gone.
    const pointer_place now =
        over && !s_.windows.pointer_gone_from(s_.form.handle()) ? pointer_place::inside : pointer_place::outside;
    // Every change of side restarts the slide towards the new goal, also mid-slide.
    if (cursor_inside == now) return;
    cursor_inside = now;
    slide_step = first_slide_step;
    s_.tmrMove.set_enabled(true);
}

// Saturates instead of overflowing, so that a window far off the screen still slides
// home.
void docking::grow_slide_step() {
    std::int64_t step = static_cast<std::int64_t>(slide_step) + slide_step_growth;
    if (step > slide_step_fast_from)
        step += static_cast<std::int64_t>(common::round_half_even(static_cast<double>(step) * slide_step_fast_growth));
    slide_step = clamp_int(step);
}

screen_area docking::docked_screen() const {
    if (docked_at_) return *docked_at_;
    return desktop(s_.screen, s_.windows).holding(s_.windows.window_rect(s_.form.handle()));
}

std::int64_t docking::rest_position(const platform::twips_rect& r, bool show) const {
    const screen_area screen = docked_screen();
    switch (dock_side) {
    case screen_edge::left:
        return show ? screen.rect.left - dock_margin : screen.rect.left + dock_margin - std::int64_t{r.width};
    case screen_edge::right:
        return show ? std::int64_t{screen.right()} - r.width + dock_margin : std::int64_t{screen.right()} - dock_margin;
    case screen_edge::top:
        return show ? screen.rect.top - dock_margin : screen.rect.top + dock_margin - std::int64_t{r.height};
    }
    return 0;
}

// One step towards the rest position of dock_side on the monitor docked at: shown 60
// twips beyond the edge, hidden with a 60-twip strip on the monitor. The direction is
// fixed by the side and the goal, so a window beyond its rest position lands there in
// one tick.
void docking::tmrMove_Timer() {
    grow_slide_step();
    const platform::twips_rect r = s_.form.rect();
    const std::int64_t left = r.left, top = r.top, step = slide_step;
    const bool show = cursor_inside == pointer_place::inside;
    const std::int64_t goal = rest_position(r, show);
    std::int64_t next = 0;
    bool reached = false;
    switch (dock_side) {
    case screen_edge::left:
        next = show ? left + step : left - step;
        reached = show ? next > goal : goal > next;
        break;
    case screen_edge::right:
        next = show ? left - step : left + step;
        reached = show ? goal > next : goal < next;
        break;
    case screen_edge::top:
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

namespace {

// The start of a span of `size` at `start`, moved the least into [low, high); at `low`
// when the span is longer.
std::int64_t within(std::int64_t start, std::int64_t size, std::int64_t low, std::int64_t high) {
    if (size >= high - low) return low;
    return std::clamp(start, low, high - size);
}

bool is_outer(const screen_area& s, screen_edge side) {
    switch (side) {
    case screen_edge::left: return s.outer.left;
    case screen_edge::right: return s.outer.right;
    case screen_edge::top: return s.outer.top;
    }
    return false;
}

}  // namespace

void docking::display_changed() {
    const desktop d(s_.screen, s_.windows);
    const platform::pixel_rect w = s_.windows.window_rect(s_.form.handle());
    const bool docked = s_.tmrCheck.enabled();
    if (!docked && d.covers(w)) return;
    // A docked window stays with the monitor it docked at, or what has taken its place.
    const screen_area screen = docked ? d.holding(docked_screen()) : d.holding(w);
    const platform::twips_rect r = s_.form.rect();
    platform::twips_rect moved = r;
    moved.left = clamp_int(within(r.left, r.width, screen.rect.left, screen.right()));
    moved.top = clamp_int(within(r.top, r.height, screen.rect.top, screen.bottom()));
    if (docked && is_outer(screen, dock_side)) {
        docked_at_ = screen;
        s_.tmrMove.set_enabled(false);
        (dock_side == screen_edge::top ? moved.top : moved.left) =
            clamp_int(rest_position(r, cursor_inside == pointer_place::inside));
    } else if (docked) {
        stop();
    }
    if (moved != r) s_.form.move(moved);
}

}  // namespace window
