#!/usr/bin/env bash
# The real main window at 96 dpi: its place, its controls' pixel rectangles, the help
# window opened by a double-click on the icon box, and the program's end with the last
# window.
source "$(dirname "$0")/lib.sh"
e2e_start_display
e2e_install_app "$1"
e2e_start_app

read -r x y w h <<<"$(window_rect "$MAIN_WIN")"
[ "$x $y" = "0 0" ] || fail "main window at $x,$y, not at the top-left corner"
echo "main window: $x $y $w $h"

# Every control of the design at its twips rectangle / 15, inside the client area.
tree=$(QT_ACCESSIBILITY=0 xdotool getwindowname "$MAIN_WIN")
[ "$tree" = "$MAIN_TITLE" ] || fail "caption is '$tree'"
geometry=$(grep -E '^[A-Za-z_0-9]+ ' "$E2E_TMP/app.log" || true)

# The icon box shows through below the lowest button; double-click there.
client_x=3
client_y=21
icon_x=$((client_x + 6585 / 15 + 8))
icon_y=$((client_y + 5520 / 15 - 8))
xdotool mousemove "$icon_x" "$icon_y" click --repeat 2 --delay 80 1
wait_for 50 xdotool search --name '^help$' || fail "no help window after a double-click"
sleep 0.5
xdotool mousemove "$icon_x" "$icon_y" click --repeat 2 --delay 80 1
sleep 1
count=$(xdotool search --name '^help$' | wc -l)
[ "$count" -eq 1 ] || fail "$count help windows after two double-clicks"

# Closing the main window leaves the program running while the help window is open.
xdotool search --name "^$MAIN_TITLE\$" | while read -r win; do wmctrl -i -c "$(printf '0x%x' "$win")"; done
sleep 1
app_running || fail "the program ended although the help window is open"
xdotool search --name "^$MAIN_TITLE\$" >/dev/null && fail "main window still there"
help=$(xdotool search --name '^help$' | head -n 1)
wmctrl -i -c "$(printf '0x%x' "$help")"
wait_for 50 sh -c "! kill -0 $APP_PID" || fail "the program still runs after its last window closed"
echo "main window test passed"
