#!/usr/bin/env bash
# The real main window as a window, under the window manager E2E_WM names (openbox
# unless set; CTest runs it once under each of E2E_WINDOW_MANAGERS): its start place, a
# caption drag clamped at the left edge, docking there with the slide out of sight and
# back as the pointer leaves and touches the strip, the stretch to the screen height in a
# top corner, and the window staying above others. Where the form stands is read from
# its controls' places on the screen over the accessibility bus: a form that lies partly
# beyond the screen has a window that stays on it and shows only that part.
source "$(dirname "$0")/lib.sh"
e2e_with_accessibility "$@"
e2e_start_display 1280x1024
e2e_install_app "$1"
e2e_start_app
WM=${E2E_WM:-openbox}

# The designed window: 479 x 392 pixels at the top-left corner; the button R at 445, 236
# in it.
W=479
H=392

# Moves the pointer in a few steps, as a hand would. The program moves the window as it
# handles each step, so the window reaches its place a little after the pointer.
glide() {
    local x0=$1 y0=$2 x1=$3 y1=$4 i
    for i in 1 2 3 4; do
        xdotool mousemove $((x0 + (x1 - x0) * i / 4)) $((y0 + (y1 - y0) * i / 4))
        sleep 0.05
    done
}
# Call at once after moving the pointer. Prints the milliseconds from the first change of
# the window's shown width to the width $2, and from the move to it (which adds the wait
# for the pointer watch's tick, up to 50 ms). Each poll by xwininfo takes some
# milliseconds, and a slide (about 16 steps in 20 to 60 ms) may end within a few polls.
slide_ms() {
    local from=$1 to=$2 moved start="" now width
    moved=$(date +%s%N)
    while width=$(shown_width "$MAIN_WIN") && now=$(date +%s%N) && [ "$now" -lt $((moved + 5000000000)) ]; do
        [ -z "$start" ] && [ "$width" != "$from" ] && start=$now
        if [ "$width" = "$to" ]; then
            echo "$(((now - ${start:-$now}) / 1000000)) ms ($(((now - moved) / 1000000)) ms after the pointer moved)"
            return 0
        fi
    done
    return 1
}
no_strut() { ! xprop -id "$MAIN_WIN" _NET_WM_STRUT _NET_WM_STRUT_PARTIAL | grep -q '='; }

# Started at the top-left corner (e2e_start_app waited for the window there).
wait_for 20 form_at 0 0 || fail "$WM: the form starts at $(form_place), not at 0 0"
WORKAREA=$(xprop -root _NET_WORKAREA)

# A drag ending mid-screen puts the window there and starts nothing.
xdotool mousemove 100 10 mousedown 1
glide 100 10 500 310
xdotool mouseup 1
wait_for 20 geometry_is "400 300 $W $H" ||
    fail "$WM: after a drag to mid-screen the window is at $(window_rect "$MAIN_WIN")"
xdotool mousemove 1000 900
# The pointer watch of a docked window would notice the pointer gone within 50 ms.
holds_for 5 geometry_is "400 300 $W $H" ||
    fail "$WM: a window dropped mid-screen moved by itself to $(window_rect "$MAIN_WIN")"

# Past the left edge: held at x = 0 during the drag.
xdotool mousemove 500 310 mousedown 1
glide 500 310 50 310
wait_for 20 x_is 0 ||
    { xdotool mouseup 1; fail "$WM: during a drag past the left edge the window is at $(window_rect "$MAIN_WIN")"; }
xdotool mouseup 1
# Released there with the pointer inside: out to x = -4, the 4 pixels beyond the edge cut
# off, the window itself on the screen.
wait_for 20 shows $((W - 4)) || fail "$WM: docked with the pointer inside, $(shown_width "$MAIN_WIN") pixels show"
form_at -4 300 || fail "$WM: docked with the pointer inside, the form is at $(form_place), not at -4 300"
geometry_is "0 300 $W $H" || fail "$WM: the docked window left the screen: $(window_rect "$MAIN_WIN")"
pointer_over "$MAIN_WIN" || fail "$WM: the pointer at 50 310 is not over the shown window"

# The pointer leaves: it slides in until a 4-pixel strip is left on screen.
xdotool mousemove 900 700
out=$(slide_ms $((W - 4)) 4) || fail "$WM: with the pointer away $(shown_width "$MAIN_WIN") pixels still show"
wait_for 20 form_at $((4 - W)) 300 || fail "$WM: with the pointer away the form is at $(form_place), not hidden"
# Beside the strip the screen belongs to what lies beneath.
xdotool mousemove 100 450
! pointer_over "$MAIN_WIN" || fail "$WM: the hidden window still covers the screen beside its strip"
holds_for 3 shows 4 || fail "$WM: the pointer beside the strip brought the window out"
[ "$(xprop -root _NET_WORKAREA)" = "$WORKAREA" ] || fail "$WM: the work area changed while docked: $(xprop -root _NET_WORKAREA)"
no_strut || fail "$WM: the window claims a strut: $(xprop -id "$MAIN_WIN" _NET_WM_STRUT _NET_WM_STRUT_PARTIAL)"

# Touching the strip brings it back.
xdotool mousemove 1 450
in=$(slide_ms 4 $((W - 4))) || fail "$WM: touching the strip left $(shown_width "$MAIN_WIN") pixels shown"
wait_for 20 form_at -4 300 || fail "$WM: touching the strip left the form at $(form_place)"
echo "$WM: slide out $out, slide in $in"

# Into the top-left corner: as tall as the screen; out of the corner: its height again.
xdotool mousemove 96 310 mousedown 1
glide 96 310 20 5
wait_for 20 geometry_is "0 0 $W 1024" ||
    { xdotool mouseup 1; fail "$WM: in the top-left corner the window is $(window_rect "$MAIN_WIN")"; }
glide 20 5 300 5
wait_for 20 geometry_is "200 0 $W $H" ||
    { xdotool mouseup 1; fail "$WM: out of the corner the window is $(window_rect "$MAIN_WIN")"; }
xdotool mouseup 1

# Another program's window, made active and raised, stays below it; put above others as
# well, it is below it again within about a second (the keeper's tick). Fluxbox lets a
# program raise its window only while that window has the focus, so there the other
# window stays on top as long as it keeps the focus.
xterm -fa Monospace -T other_window -geometry 60x15+100+100 2>/dev/null &
E2E_PIDS+=($!)
wait_for 50 xdotool search --name '^other_window$' || fail "$WM: the other window did not appear"
OTHER=$(xdotool search --name '^other_window$' | head -n 1)
wait_for 50 window_viewable "$OTHER" || fail "$WM: the other window is not shown"
wmctrl -i -a "$(printf '0x%x' "$OTHER")"
xdotool windowraise "$OTHER"
wait_for 30 stacked_above "$MAIN_WIN" "$OTHER" || fail "$WM: a raised window of another program covers the calculator"
if [ "$WM" != fluxbox ]; then
    wmctrl -i -r "$(printf '0x%x' "$OTHER")" -b add,above
    wmctrl -i -a "$(printf '0x%x' "$OTHER")"
    xdotool windowraise "$OTHER"
    wait_for 30 stacked_above "$MAIN_WIN" "$OTHER" ||
        fail "$WM: another program's window put above others stays above the calculator"
fi
app_running || fail "$WM: the program ended"
echo "window docking test passed under $WM"
