#!/usr/bin/env bash
# The main window on a desktop of two monitors, LEFT 1280x1024+0+0 and RIGHT
# 1280x1024+1280+0, with the one E2E_PRIMARY names primary (LEFT unless set; CTest runs
# it with each). Only the desktop's outer edges hold the window and dock it; the edge
# the two monitors share is no edge. With LEFT primary: the start in LEFT's corner, a
# caption drag across to RIGHT and against the desktop's right edge, docking there with
# the slide out and back, a drop across the shared edge, and RIGHT unplugged while the
# window hides at its edge. With RIGHT primary: the start in RIGHT's corner and docking
# at the desktop's left edge, on LEFT. The window is judged by its footprint, the form by
# its controls' places over the accessibility bus, as in window_docking_test.sh.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/monitors.sh"
e2e_with_accessibility "$@"
PRIMARY=${E2E_PRIMARY:-LEFT}
e2e_start_monitors "$PRIMARY"
e2e_install_app "$1"
e2e_start_app
WM="${E2E_WM:-openbox}, $PRIMARY primary"

# The designed window: 479 x 392 pixels; the button R at 445, 236 in it.
W=479
H=392
RIGHT_EDGE=$((2 * MONITOR_W))

# Prints "LEFT RIGHT" of the part of the window that shows, in screen pixels.
shown_span() {
    local x info ox w
    x=$(window_rect "$MAIN_WIN" | cut -d' ' -f1) && info=$(xwininfo -shape -id "$MAIN_WIN") || return 1
    if grep -q 'Window shape extents' <<<"$info"; then
        read -r w ox <<<"$(sed -n 's/.*Window shape extents: *\([0-9]*\)x[0-9]*+\([0-9-]*\)+.*/\1 \2/p' <<<"$info")"
    else
        w=$W ox=0
    fi
    echo "$((x + ox)) $((x + ox + w))"
}
span_is() { [ "$(shown_span)" = "$1" ]; }
# True while the window and the part of it that shows lie on LEFT.
on_left() {
    local x a b
    x=$(window_rect "$MAIN_WIN" | cut -d' ' -f1) && read -r a b <<<"$(shown_span)" &&
        [ "$x" -ge 0 ] && [ $((x + W)) -le "$MONITOR_W" ] && [ "$a" -ge 0 ] && [ "$b" -le "$MONITOR_W" ]
}
shows_at_least() { [ "$(shown_width "$MAIN_WIN")" -ge "$1" ]; }
# Moves the pointer in steps of about 100 pixels, as a hand would; the program moves the
# window as it handles each step, so the window reaches its place a little after it.
glide() {
    local x0=$1 y0=$2 x1=$3 y1=$4 i n
    n=$((((x1 > x0 ? x1 - x0 : x0 - x1) + 99) / 100 + 3))
    for i in $(seq 1 "$n"); do
        xdotool mousemove $((x0 + (x1 - x0) * i / n)) $((y0 + (y1 - y0) * i / n))
        sleep 0.05
    done
}
# Drags the form by its caption, 10 pixels below the form's top and 100 pixels in, from
# where it stands by dx, dy. Leaves the button held.
drag_by() {
    local x y
    read -r x y <<<"$(form_place)" || fail "$WM: the form cannot be found"
    xdotool mousemove $((x + 100)) $((y + 10)) mousedown 1
    glide $((x + 100)) $((y + 10)) $((x + 100 + $1)) $((y + 10 + $2))
}
release() { xdotool mouseup 1; }
dragging_fail() { release; fail "$@"; }

if [ "$PRIMARY" = LEFT ]; then
    wait_for 20 form_at 0 0 || fail "$WM: the form starts at $(form_place), not in LEFT's corner"

    # Across the shared edge onto RIGHT, held nowhere on the way.
    drag_by 1300 300
    wait_for 20 geometry_is "1300 300 $W $H" ||
        dragging_fail "$WM: dragged onto RIGHT the window is at $(window_rect "$MAIN_WIN")"
    # On past the desktop's right edge: held with its right side there.
    glide 1400 310 2500 310
    wait_for 20 x_is $((RIGHT_EDGE - W)) ||
        dragging_fail "$WM: during a drag past the desktop's right edge the window is at $(window_rect "$MAIN_WIN")"
    release
    # Released there with the pointer inside: out by 4 pixels beyond the edge, which
    # are cut off, the window itself on the desktop.
    wait_for 20 shows $((W - 4)) || fail "$WM: docked at the right edge with the pointer inside, $(shown_width "$MAIN_WIN") pixels show"
    form_at $((RIGHT_EDGE - W + 4)) 300 || fail "$WM: docked at the right edge, the form is at $(form_place)"
    geometry_is "$((RIGHT_EDGE - W)) 300 $W $H" || fail "$WM: the docked window left the desktop: $(window_rect "$MAIN_WIN")"

    # The pointer leaves: slid out of view but for a 4-pixel strip at the edge.
    xdotool mousemove 1500 700
    wait_for 30 span_is "$((RIGHT_EDGE - 4)) $RIGHT_EDGE" ||
        fail "$WM: with the pointer away the window shows $(shown_span), not the strip at the right edge"
    wait_for 20 form_at $((RIGHT_EDGE - 4)) 300 || fail "$WM: with the pointer away the form is at $(form_place), not hidden"
    xdotool mousemove $((RIGHT_EDGE - 40)) 450
    ! pointer_over "$MAIN_WIN" || fail "$WM: the hidden window still covers the desktop beside its strip"
    # Touching the strip brings it back.
    xdotool mousemove $((RIGHT_EDGE - 2)) 450
    wait_for 30 shows $((W - 4)) || fail "$WM: touching the strip left $(shown_width "$MAIN_WIN") pixels shown"
    wait_for 20 form_at $((RIGHT_EDGE - W + 4)) 300 || fail "$WM: touching the strip left the form at $(form_place)"

    # Dropped across the shared edge: neither held there nor docked.
    drag_by $((1100 - (RIGHT_EDGE - W + 4))) 0
    wait_for 20 geometry_is "1100 300 $W $H" ||
        dragging_fail "$WM: dragged across the shared edge the window is at $(window_rect "$MAIN_WIN")"
    release
    xdotool mousemove 600 900
    holds_for 5 geometry_is "1100 300 $W $H" ||
        fail "$WM: a window dropped across the shared edge moved by itself to $(window_rect "$MAIN_WIN")"
    shows "$W" || fail "$WM: a window dropped across the shared edge shows $(shown_width "$MAIN_WIN") pixels"

    # Hidden at RIGHT's edge when RIGHT goes: back on LEFT at once, and still the user's.
    drag_by 1340 0
    wait_for 20 x_is $((RIGHT_EDGE - W)) ||
        dragging_fail "$WM: dragged against the right edge again the window is at $(window_rect "$MAIN_WIN")"
    release
    xdotool mousemove 1500 700
    wait_for 30 span_is "$((RIGHT_EDGE - 4)) $RIGHT_EDGE" || fail "$WM: docked again, the window shows $(shown_span)"
    monitor_remove RIGHT
    wait_for 30 on_left ||
        fail "$WM: with RIGHT unplugged the window is at $(window_rect "$MAIN_WIN") showing $(shown_span), the form at $(form_place)"
    # The pointer on what shows of it (a docked window's strip brings it out), then a drag
    # by the caption.
    read -r a b <<<"$(shown_span)"
    xdotool mousemove $(((a + b) / 2)) 450
    wait_for 30 shows_at_least $((W - 4)) || fail "$WM: with RIGHT unplugged the pointer on the window left $(shown_span) shown"
    read -r x y <<<"$(form_place)"
    drag_by $((300 - x)) $((500 - y))
    wait_for 20 geometry_is "300 500 $W $H" ||
        dragging_fail "$WM: dragged after RIGHT was unplugged the window is at $(window_rect "$MAIN_WIN")"
    release
    # RIGHT plugged in again: the desktop reaches over it once more.
    monitor_restore RIGHT
    drag_by 1300 0
    wait_for 20 geometry_is "1600 500 $W $H" ||
        dragging_fail "$WM: dragged onto RIGHT plugged in again the window is at $(window_rect "$MAIN_WIN")"
    release
else
    wait_for 20 form_at "$MONITOR_W" 0 || fail "$WM: the form starts at $(form_place), not in RIGHT's corner"

    # Across the shared edge onto LEFT and against the desktop's left edge: held at 0.
    drag_by -1300 300
    wait_for 20 x_is 0 ||
        dragging_fail "$WM: during a drag past the desktop's left edge the window is at $(window_rect "$MAIN_WIN")"
    release
    wait_for 20 shows $((W - 4)) || fail "$WM: docked at the left edge with the pointer inside, $(shown_width "$MAIN_WIN") pixels show"
    form_at -4 300 || fail "$WM: docked at the left edge, the form is at $(form_place)"
    geometry_is "0 300 $W $H" || fail "$WM: the docked window left the desktop: $(window_rect "$MAIN_WIN")"
    xdotool mousemove 900 700
    wait_for 30 span_is "0 4" || fail "$WM: with the pointer away the window shows $(shown_span), not the strip at the left edge"
    wait_for 20 form_at $((4 - W)) 300 || fail "$WM: with the pointer away the form is at $(form_place), not hidden"
    xdotool mousemove 1 450
    wait_for 30 shows $((W - 4)) || fail "$WM: touching the strip left $(shown_width "$MAIN_WIN") pixels shown"
fi
app_running || fail "$WM: the program ended"
echo "monitors docking test passed under $WM"
