#!/usr/bin/env bash
# The real main window at 96 dpi: its place, every control at its designed pixel
# rectangle with its accessible name, the help window opened by a double-click on the
# icon box, and the program's end with its last window.
source "$(dirname "$0")/lib.sh"
e2e_with_accessibility "$@"
e2e_start_display
e2e_install_app "$1"
e2e_start_app

read -r x y w h <<<"$(window_rect "$MAIN_WIN")"
[ "$x $y" = "0 0" ] || fail "main window at $x,$y, not at the top-left corner"
# Client area 7095 x 5520 twips, inside a 3-pixel border and an 18-pixel caption bar.
[ "$w $h" = "479 392" ] || fail "main window is ${w}x$h"

wait_for 50 accessible_ready ||
    fail "the window is not visible to assistive technology"
tree=$(accessible tree)
# role, accessible name, Left Top Width Height in twips within the client area
while IFS='|' read -r role name l t cw ch; do
    want="$((3 + l / 15)) $((21 + t / 15)) $((cw / 15)) $((ch / 15))"
    got=$(printf '%s\n' "$tree" | awk -F'\t' -v r="$role" -v n="$name" '$1 == r && $2 == n { print $3; exit }')
    [ "$got" = "$want" ] || fail "$role '$name' at '$got', designed at '$want'"
done <<'TABLE'
text|结果|0|15|6615|855
text|公式|0|870|6615|1815
text|历史记录|0|2865|6615|2295
label||-15|5190|6615|300
push button|()|6630|15|480|360
push button|<>|6630|390|480|360
push button|^()|6630|750|480|360
push button|sin|6630|1215|480|360
push button|cos|6630|1575|480|360
push button|tan|6630|1935|480|360
push button|cot|6630|2295|480|360
push button|C|6630|2850|480|360
push button|R|6630|3225|480|360
push button|+|6630|3780|480|360
push button|-|6630|4140|480|360
push button|*|6630|4485|480|360
push button|/|6630|4845|480|360
filler|图标|6585|4860|800|800
TABLE

# The icon box shows through below the lowest button; double-click there, twice.
icon_x=$((3 + 6585 / 15 + 8))
icon_y=$((21 + 5520 / 15 - 8))
double_click_icon() { xdotool mousemove "$icon_x" "$icon_y" click --repeat 2 --delay 80 1; }
help_active() { [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = help ]; }
# A machine under load may split a double-click into two clicks; try again then.
open_help() {
    for attempt in 1 2 3; do
        double_click_icon
        wait_for 20 xdotool search --name '^help$' && break
    done
    xdotool search --name '^help$' >/dev/null || fail "no help window after a double-click"
}
open_help
# The second double-click shows the help window again, which takes the focus back from
# the main window: once it has, the double-click has been handled, and a second help
# window would have been made by then. The new help window takes the focus first; the
# main window can have it only after that.
wait_for 50 help_active || fail "the help window did not take the focus"
for attempt in 1 2 3; do
    xdotool windowactivate "$MAIN_WIN"
    wait_for 50 window_active "$MAIN_WIN" || fail "the main window did not take the focus"
    double_click_icon
    wait_for 20 help_active && break
done
help_active || fail "a second double-click did not bring the help window forward"
count=$(xdotool search --name '^help$' | wc -l)
[ "$count" -eq 1 ] || fail "$count help windows after two double-clicks"

# Closing the main window leaves the program running while the help window is open.
close_window "$MAIN_WIN"
wait_for 50 sh -c "! xdotool search --onlyvisible --name '^$MAIN_TITLE\$'" || fail "main window still shown"
# The main window is gone once its close has been handled; a program that ended with it
# would do so right after.
holds_for 10 app_running || fail "the program ended although the help window is open"
close_window "$(xdotool search --name '^help$' | head -n 1)"
wait_for 50 sh -c "! kill -0 $APP_PID" || fail "the program still runs after its last window closed"
wait "$APP_PID" || fail "the program ended with status $?"

# A session that logs out sends SIGTERM: the windows close as if the user closed them,
# and the program ends normally, help window or not.
e2e_start_app
open_help
kill -TERM "$APP_PID"
wait_for 50 sh -c "! kill -0 $APP_PID" || fail "the program ignored SIGTERM"
wait "$APP_PID" || fail "the program ended with status $? on SIGTERM"
echo "main window test passed"
