#!/usr/bin/env bash
# The real main window as a window: a caption drag clamped at the left edge, docking
# there with the slide out of sight and back as the pointer leaves and touches the
# strip, the stretch to the screen height in a top corner, and the topmost keeper.
source "$(dirname "$0")/lib.sh"
e2e_start_display 1280x1024
e2e_install_app "$1"
e2e_start_app

# The designed window: 479 x 392 pixels at the top-left corner.
W=479
H=392

x_is() { [ "$(window_rect "$MAIN_WIN" | cut -d' ' -f1)" = "$1" ]; }
geometry_is() { [ "$(window_rect "$MAIN_WIN")" = "$1" ]; }
# Moves the pointer in a few steps, as a hand would. The program moves the window as it
# handles each step, so the window reaches its place a little after the pointer.
glide() {
    local x0=$1 y0=$2 x1=$3 y1=$4 i
    for i in 1 2 3 4; do
        xdotool mousemove $((x0 + (x1 - x0) * i / 4)) $((y0 + (y1 - y0) * i / 4))
        sleep 0.05
    done
}

# A drag ending mid-screen puts the window there and starts nothing.
xdotool mousemove 100 10 mousedown 1
glide 100 10 500 310
xdotool mouseup 1
wait_for 20 geometry_is "400 300 $W $H" ||
    fail "after a drag to mid-screen the window is at $(window_rect "$MAIN_WIN")"
xdotool mousemove 1000 900
# The pointer watch of a docked window would notice the pointer gone within 50 ms.
holds_for 5 geometry_is "400 300 $W $H" ||
    fail "a window dropped mid-screen moved by itself to $(window_rect "$MAIN_WIN")"

# Past the left edge: held at x = 0 during the drag.
xdotool mousemove 500 310 mousedown 1
glide 500 310 50 310
wait_for 20 x_is 0 ||
    { xdotool mouseup 1; fail "during a drag past the left edge the window is at $(window_rect "$MAIN_WIN")"; }
xdotool mouseup 1
# Released there with the pointer inside: out to x = -4.
wait_for 20 x_is -4 || fail "docked with the pointer inside, the window is at $(window_rect "$MAIN_WIN"), not x = -4"
# The pointer leaves: it slides in until a 4-pixel strip is left on screen.
xdotool mousemove 900 700
wait_for 20 x_is $((4 - W)) || fail "with the pointer away the window is at $(window_rect "$MAIN_WIN"), not hidden"
geometry_is "$((4 - W)) 300 $W $H" || fail "hiding changed more than x: $(window_rect "$MAIN_WIN")"
# Touching the strip brings it back.
xdotool mousemove 1 450
wait_for 20 x_is -4 || fail "touching the strip left the window at $(window_rect "$MAIN_WIN")"

# Into the top-left corner: as tall as the screen; out of the corner: its height again.
xdotool mousemove 96 310 mousedown 1
glide 96 310 20 5
wait_for 20 geometry_is "0 0 $W 1024" ||
    { xdotool mouseup 1; fail "in the top-left corner the window is $(window_rect "$MAIN_WIN")"; }
glide 20 5 300 5
wait_for 20 geometry_is "200 0 $W $H" ||
    { xdotool mouseup 1; fail "out of the corner the window is $(window_rect "$MAIN_WIN")"; }
xdotool mouseup 1

# Another program's window put above it is below it again within about a second.
xmessage -name other_window -geometry 300x200+100+100 "another program" &
E2E_PIDS+=($!)
wait_for 50 xdotool search --name '^other_window$' || fail "the other window did not appear"
OTHER=$(xdotool search --name '^other_window$' | head -n 1)
wmctrl -i -r "$(printf '0x%x' "$OTHER")" -b add,above
wmctrl -i -a "$(printf '0x%x' "$OTHER")"
xdotool windowraise "$OTHER"
# Whether the calculator stands above the other window (the list runs bottom to top).
calc_on_top() {
    local stack ours theirs
    stack=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, / /g')
    ours=$(printf '%s\n' $stack | grep -n -i "^0x0*$(printf '%x' "$MAIN_WIN")\$" | cut -d: -f1)
    theirs=$(printf '%s\n' $stack | grep -n -i "^0x0*$(printf '%x' "$OTHER")\$" | cut -d: -f1)
    [ -n "$ours" ] && [ -n "$theirs" ] && [ "$ours" -gt "$theirs" ]
}
calc_on_top && echo "note: the other window was below the calculator at once" >&2
# The keeper ticks every second; the margin covers a loaded machine.
wait_for 30 calc_on_top || fail "the other program's window stays above the calculator"
app_running || fail "the program ended"
echo "window docking test passed"
