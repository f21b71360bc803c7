#!/usr/bin/env bash
# A copy that runs on for its help window alone is no running copy any more: with its
# main window closed, a second start opens a window of its own, showing the formula just
# saved, and nothing either copy wrote is lost.
source "$(dirname "$0")/lib.sh"
e2e_with_accessibility "$@"
e2e_start_display
e2e_install_app "$1"

# Points in the window at the top-left corner: its client area starts 3 pixels in and
# below an 18-pixel caption bar. The icon box shows through below the lowest button.
FORMULA_AT="100 139"
R_BUTTON_AT="461 248"
ICON_AT="$((3 + 6585 / 15 + 8)) $((21 + 5520 / 15 - 8))"
ms() { date +%s%3N; }
# Succeeds when the copy of process $1 shows the text $3 in its box named $2.
shows() { [ "$(/usr/bin/python3 "$E2E_DIR/accessible.py" --pid "$1" texts | awk -F'\t' -v n="$2" '$1 == n { print $2; exit }')" = "$3" ]; }
focused_in() { /usr/bin/python3 "$E2E_DIR/accessible.py" --pid "$1" focus | grep -q "$2"; }

e2e_start_app
FIRST=$APP_PID
wait_for 200 shows "$FIRST" 公式 "" || fail "the boxes are not visible to assistive technology"
xdotool mousemove $FORMULA_AT click 1
wait_for 50 focused_in "$FIRST" 公式 || fail "could not focus the formula box"
xdotool type --delay 40 '6*7'
wait_for 50 shows "$FIRST" 公式 '6*7' || fail "could not type a formula"
xdotool mousemove $R_BUTTON_AT click 1
wait_for 50 shows "$FIRST" 历史记录 '\n▲6*7=42' || fail "R recorded nothing"
xdotool type --delay 40 '1+1'
wait_for 50 shows "$FIRST" 公式 '1+1' || fail "could not type the next formula"

# Help open, main window closed: both files are saved, the program runs on.
for attempt in 1 2 3; do
    xdotool mousemove $ICON_AT click --repeat 2 --delay 80 1
    wait_for 20 xdotool search --name '^help$' && break
done
HELP=$(xdotool search --name '^help$' | head -n 1)
[ -n "$HELP" ] || fail "no help window after a double-click"
close_window "$MAIN_WIN"
wait_for 50 sh -c "grep -q 'textcalc=1+1' '$APP_DIR/tallix.dat'" || fail "closing the main window saved no formula"
app_running || fail "the program ended although the help window is open"

# The second start opens its own window with what the first saved.
start=$(ms)
"$APP_DIR/tallix" >"$E2E_TMP/second.log" 2>&1 &
SECOND=$!
E2E_PIDS+=("$SECOND")
wait_for 100 xdotool search --onlyvisible --name "^$MAIN_TITLE\$" ||
    fail "the second start shows no window: $(cat "$E2E_TMP/second.log")"
echo "the second start showed its window after $(($(ms) - start)) ms"
SECOND_WIN=$(xdotool search --onlyvisible --name "^$MAIN_TITLE\$" | head -n 1)
wait_for 200 shows "$SECOND" 公式 '1+1' || fail "the second window does not show the saved formula"

# It records on top of the first copy's history; closing everything loses nothing.
xdotool mousemove $FORMULA_AT click 1
wait_for 50 focused_in "$SECOND" 公式 || fail "could not focus the second formula box"
xdotool key End type --delay 40 '+1'
wait_for 50 shows "$SECOND" 公式 '1+1+1' || fail "could not type into the second window"
xdotool mousemove $R_BUTTON_AT click 1
wait_for 50 shows "$SECOND" 历史记录 '\n▲6*7=42\n▲1+1+1=3' || fail "the second R recorded nothing"
close_window "$SECOND_WIN"
wait_for 100 sh -c "! kill -0 $SECOND" || fail "the second copy did not end with its window"
close_window "$HELP"
wait_for 100 sh -c "! kill -0 $FIRST" || fail "the first copy did not end with its help window"
[ "$(iconv -f UTF-16 -t UTF-8 "$APP_DIR/myalldata.dat")" = $'\r\n▲6*7=42\r\n▲1+1+1=3' ] ||
    fail "history file holds: $(iconv -f UTF-16 -t UTF-8 "$APP_DIR/myalldata.dat" | od -c | head -n 3)"
grep -q $'^textcalc=\r$' "$APP_DIR/tallix.dat" || fail "settings hold: $(cat "$APP_DIR/tallix.dat")"
echo "second start after close test passed"
