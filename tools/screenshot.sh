#!/usr/bin/env bash
# Takes the README's picture of the main window under Xvfb at 96 dpi:
#   tools/screenshot.sh build/src/tallix docs/screenshot.png [formula]
# The formula, when given, is typed into the formula box first.
set -u
source "$(dirname "$0")/../tests/e2e/lib.sh"
out=$(realpath -m "$2")
e2e_start_display
e2e_install_app "$1"
e2e_start_app
if [ -n "${3:-}" ]; then
    # Into the formula box: at start the focus is in the first box of the tab order.
    xdotool mousemove --window "$MAIN_WIN" 100 120 click 1
    xdotool type --delay 40 "$3"
fi
sleep 0.5
read -r x y w h <<<"$(window_rect "$MAIN_WIN")"
import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out"
echo "$out"
