#!/usr/bin/env bash
# Takes the README's picture of the main window under Xvfb at 96 dpi:
#   tools/screenshot.sh build/src/tallix docs/screenshot.png [formula ...]
# Each formula is typed into the formula box; all but the last are recorded with "R".
set -u
source "$(dirname "$0")/../tests/e2e/lib.sh"
out=$(realpath -m "$2")
e2e_start_display
e2e_install_app "$1"
e2e_start_app
shift 2
# Window-relative points inside the formula box and on the "R" button.
formula_at="100 120"
r_button_at="$((3 + (6630 + 240) / 15)) $((21 + (3225 + 180) / 15))"
while [ $# -gt 0 ]; do
    xdotool mousemove --window "$MAIN_WIN" $formula_at click 1
    xdotool type --delay 40 "$1"
    sleep 0.3
    [ $# -gt 1 ] && xdotool mousemove --window "$MAIN_WIN" $r_button_at click 1
    shift
done
sleep 0.5
read -r x y w h <<<"$(window_rect "$MAIN_WIN")"
import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out"
echo "$out"
