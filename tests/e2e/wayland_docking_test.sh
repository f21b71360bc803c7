#!/usr/bin/env bash
# The real main window through XWayland under a Wayland compositor (E2E_COMPOSITOR: mutter
# unless set; CTest runs it under each of E2E_COMPOSITORS), moved by the compositor's own
# pointer as a mouse moves it: it stays above a native Wayland window, docks at the left
# edge by a caption drag, and slides out of sight whenever the pointer leaves it, for the
# empty desktop, for a native Wayland window or for another X window, and back when the
# pointer touches its strip. Over anything but an X window XWayland keeps the pointer
# position where the pointer last was over one, so the program must learn from elsewhere
# that the pointer has gone. Each way of leaving is judged on its own and all that fail
# are told at the end.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/wayland.sh"
e2e_with_accessibility "$@"
COMPOSITOR=${E2E_COMPOSITOR:-mutter}
e2e_start_wayland "$COMPOSITOR"
e2e_install_app "$1"
e2e_start_app

# The designed window: 479 x 392 pixels.
W=479
H=392
unmet=()
# The window slides in until a 4-pixel strip is left on screen.
expect_slide_out() {
    wait_for 20 shows 4 || unmet+=("$COMPOSITOR: with the pointer over $1, $(shown_width "$MAIN_WIN") pixels still show")
}
touch_strip() {
    seat_move_to 1 450
    wait_for 20 shows $((W - 4)) ||
        fail "$COMPOSITOR: touching the strip after $1 left $(shown_width "$MAIN_WIN") pixels shown"
}

# A native window shown after the calculator stays beneath it: the pointer coming from the
# native window to the calculator meets the calculator.
e2e_start_native_window
wait_for 30 native_takes_pointer_at 900 700 ||
    fail "$COMPOSITOR: the native window does not report the pointer at 900 700: $(tail -n 1 "$NATIVE_LOG")"
wait_for 20 xwayland_takes_pointer_over "$MAIN_WIN" 300 200 ||
    fail "$COMPOSITOR: at 300 200 the pointer is not over the calculator: $(xdotool getmouselocation)"
e2e_stop_native_window

# Dragged by its caption bar (the top 18 pixels below a 3-pixel border) to mid-screen,
# then past the left edge: held at x = 0 during the drag, and docked there on release
# with the pointer inside: the 4 pixels beyond the edge cut off, the window on the screen.
seat_move_to 100 10
seat_press
seat_glide 500 310
seat_release
wait_for 20 geometry_is "400 300 $W $H" ||
    fail "$COMPOSITOR: after a drag to mid-screen the window is at $(window_rect "$MAIN_WIN")"
seat_press
seat_glide 50 310
wait_for 20 x_is 0 ||
    { seat_release; fail "$COMPOSITOR: during a drag past the left edge the window is at $(window_rect "$MAIN_WIN")"; }
seat_release
wait_for 20 shows $((W - 4)) || fail "$COMPOSITOR: docked with the pointer inside, $(shown_width "$MAIN_WIN") pixels show"
geometry_is "0 300 $W $H" || fail "$COMPOSITOR: the docked window left the screen: $(window_rect "$MAIN_WIN")"

# Out over the empty desktop, where no surface takes the pointer.
seat_move_to 900 700
expect_slide_out "the empty desktop"
touch_strip "the empty desktop"

# Out over a native Wayland window.
e2e_start_native_window
wait_for 30 native_takes_pointer_at 900 700 ||
    fail "$COMPOSITOR: the native window does not report the pointer at 900 700: $(tail -n 1 "$NATIVE_LOG")"
expect_slide_out "a native Wayland window"
touch_strip "a native Wayland window"

# Out over another X window, above the native one.
xterm -fa Monospace -T other_window -geometry 60x15+600+400 2>/dev/null &
E2E_PIDS+=($!)
wait_for 50 xdotool search --name '^other_window$' || fail "$COMPOSITOR: the other window did not appear"
OTHER=$(xdotool search --name '^other_window$' | head -n 1)
wait_for 50 window_viewable "$OTHER" || fail "$COMPOSITOR: the other window is not shown"
read -r ox oy ow oh <<<"$(window_rect "$OTHER")"
wait_for 20 xwayland_takes_pointer_over "$OTHER" $((ox + ow / 2)) $((oy + oh / 2)) ||
    fail "$COMPOSITOR: the pointer at $SEAT_X $SEAT_Y is not over the other window: $(xdotool getmouselocation)"
expect_slide_out "an X window"

app_running || fail "$COMPOSITOR: the program ended"
[ ${#unmet[@]} -eq 0 ] || fail "$(printf '%s\n' "${unmet[@]}")"
echo "wayland docking test passed under $COMPOSITOR"
