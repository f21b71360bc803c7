#!/usr/bin/env bash
# Two real copies: a second start brings the first copy's window forward and ends
# without touching a file; the running copy survives misbehaving clients of its socket;
# a killed copy blocks nothing; a renamed copy serves and finds its own name; only the
# user can reach the socket.
source "$(dirname "$0")/lib.sh"
e2e_with_accessibility "$@"
e2e_start_display
e2e_install_app "$1"
HERE=$(dirname "$0")
LINKS="$XDG_RUNTIME_DIR/tallix-link"
SOCKET="$LINKS/tallix|FormDDE"
probe() { accessible --pid "$FIRST" "$@"; }
client() { /usr/bin/python3 "$HERE/link_client.py" "$@"; }
main_windows() { xdotool search --onlyvisible --name "^$MAIN_TITLE\$" | wc -l; }
# Every file of the program's folder with its size, modification time and checksum.
snapshot() { find "$APP_DIR" -type f -printf '%p %s %T@\n' | sort; find "$APP_DIR" -type f -exec sha256sum {} + | sort; }
ms() { date +%s%3N; }

e2e_start_app
FIRST=$APP_PID
window_at() { [ "$(window_rect "$MAIN_WIN" | cut -d' ' -f1-2)" = "$1 $2" ]; }
# Keys typed after a click wait for the focus to move (see focus_is in lib.sh).
click_formula() {
    xdotool mousemove --window "$MAIN_WIN" 223 140 click 1
    wait_for 50 focus_is text 公式 || fail "a click into the formula box left the focus in '$(probe focus)'"
}

# Type a formula, move the window away and put the focus into the history box.
click_formula
xdotool type --delay 50 '1+2'
wait_for 200 sh -c "/usr/bin/python3 $E2E_DIR/accessible.py --pid $FIRST text 公式 2>/dev/null | grep -qx '1+2'" ||
    fail "could not type a formula"
xdotool windowmove "$MAIN_WIN" 300 200
wait_for 50 sh -c "[ \"\$(xdotool getwindowgeometry --shell $MAIN_WIN | grep -E '^(X|Y)=' | tr '\n' ' ')\" = 'X=300 Y=200 ' ]" ||
    fail "could not move the window away"
xdotool mousemove 523 490 click 1
wait_for 50 sh -c "/usr/bin/python3 $E2E_DIR/accessible.py --pid $FIRST focus | grep -q 历史记录" || fail "could not focus the history box"

before=$(snapshot)
start=$(ms)
timeout 20 "$APP_DIR/tallix" >"$E2E_TMP/second.log" 2>&1
rc=$?
echo "second copy ended after $(($(ms) - start)) ms with status $rc"
[ "$rc" -eq 0 ] || fail "second copy ended with status $rc: $(cat "$E2E_TMP/second.log")"
[ "$(snapshot)" = "$before" ] || fail "the second copy changed the program's folder"
wait_for 50 sh -c "[ \"\$(xdotool getwindowgeometry --shell $MAIN_WIN | grep -E '^(X|Y)=' | tr '\n' ' ')\" = 'X=27 Y=20 ' ]" ||
    fail "first window at $(window_rect "$MAIN_WIN"), not at 27 20"
[ "$(main_windows)" -eq 1 ] || fail "$(main_windows) main windows are shown"
wait_for 50 sh -c "/usr/bin/python3 $E2E_DIR/accessible.py --pid $FIRST focus | grep -q 公式" ||
    fail "focus is in '$(probe focus)', not in the formula box"
[ "$(probe text 公式)" = "1+2" ] || fail "formula changed to '$(probe text 公式)'"

# Only the exact command acts; every command is accepted.
xdotool windowmove "$MAIN_WIN" 300 200
wait_for 50 window_at 300 200 || fail "could not move the window away again: $(window_rect "$MAIN_WIN")"
for command in SHOWME 'showme ' ' showme' ''; do
    [ "$(client send "$SOCKET" "$command")" = ACK ] || fail "'$command' not acknowledged"
done
# Each answer comes after the command's handling; a move it asked for would follow
# through the window manager at once.
holds_for 5 window_at 300 200 ||
    fail "another command moved the window to $(window_rect "$MAIN_WIN" | cut -d' ' -f1-2)"

# A minimised window comes back in its normal state.
xdotool windowminimize "$MAIN_WIN"
wait_for 100 sh -c "! xdotool search --onlyvisible --name '^$MAIN_TITLE\$' | grep -qx $MAIN_WIN" ||
    fail "could not minimise the window"
timeout 20 "$APP_DIR/tallix" >>"$E2E_TMP/second.log" 2>&1 || fail "second copy failed on a minimised window"
wait_for 50 sh -c "xdotool search --onlyvisible --name '^$MAIN_TITLE\$' | grep -qx $MAIN_WIN" ||
    fail "minimised window not shown again"
read -r x y _ <<<"$(window_rect "$MAIN_WIN")"
[ "$x $y" = "27 20" ] || fail "restored window at $x $y"

# Only the user can reach the socket.
[ "$(stat -c %a "$LINKS")" = 700 ] || fail "link folder has mode $(stat -c %a "$LINKS")"
mode=$(stat -c %a "$SOCKET")
[ "${mode: -2}" = 00 ] || fail "socket has mode $mode"
[ "$(stat -c %a "$LINKS/tallix.lock")" = 600 ] || fail "lock has mode $(stat -c %a "$LINKS/tallix.lock")"
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
    chmod o+x "$E2E_TMP" "$XDG_RUNTIME_DIR"  # so that only the link folder stands in the way
    other=$(setpriv --reuid=65534 --regid=65534 --clear-groups /usr/bin/python3 "$HERE/link_client.py" \
        send "$SOCKET" showme 2>&1) && fail "another user reached the socket"
    grep -q PermissionError <<<"$other" || fail "another user failed otherwise: $other"
    chmod o-x "$E2E_TMP" "$XDG_RUNTIME_DIR"
fi

# Misbehaving clients.
rss() { awk '/^VmRSS/ { print $2 }' "/proc/$FIRST/status"; }
rss_before=$(rss)
[ "$(client idle "$SOCKET" 15)" = closed ] || fail "an idle connection was not closed"
client halfway "$SOCKET"
taken=$(client flood "$SOCKET" 10)
[ "$taken" -lt $((10 * 1024 * 1024)) ] || fail "10 MB without a line end were all taken"
[ "$(client binary "$SOCKET")" = ACK ] || fail "binary command not acknowledged"
answers=$(client crowd "$SOCKET" 100)
[ "$(tr ' ' '\n' <<<"$answers" | grep -c '^ACK$')" -eq 100 ] || fail "not every one of 100 clients was answered: $answers"
rss_after=$(rss)
echo "resident memory ${rss_before} kB before the bad clients, ${rss_after} kB after"
[ $((rss_after - rss_before)) -lt 8192 ] || fail "memory grew from $rss_before to $rss_after kB"
kill -0 "$FIRST" || fail "the first copy died"
# Still responsive: it takes typing and serves.
click_formula
xdotool key End type '+4'
wait_for 150 sh -c "/usr/bin/python3 $E2E_DIR/accessible.py --pid $FIRST text 公式 | grep -qx '1+2+4'" ||
    fail "window no longer takes typing: '$(probe text 公式)'"
[ "$(client send "$SOCKET" showme)" = ACK ] || fail "showme not acknowledged after the bad clients"

# A busy copy (stopped here, as a long evaluation holds it) is waited for, and comes
# forward once it goes on.
xdotool windowmove "$MAIN_WIN" 300 200
wait_for 50 window_at 300 200 || fail "could not move the window away: $(window_rect "$MAIN_WIN")"
kill -STOP "$FIRST"
"$APP_DIR/tallix" >"$E2E_TMP/busy.log" 2>&1 &
SECOND=$!
E2E_PIDS+=("$SECOND")
if ! holds_for 70 kill -0 "$SECOND"; then
    kill -CONT "$FIRST"
    fail "the second start gave up on a busy copy: $(cat "$E2E_TMP/busy.log")"
fi
kill -CONT "$FIRST"
wait_for 100 sh -c "! kill -0 $SECOND" || fail "the second start did not end once the copy went on"
wait "$SECOND"
rc=$?
[ "$rc" -eq 0 ] && [ ! -s "$E2E_TMP/busy.log" ] || fail "the waiting start ended with $rc: $(cat "$E2E_TMP/busy.log")"
wait_for 50 window_at 27 20 || fail "the busy copy did not come forward: $(window_rect "$MAIN_WIN")"

# Connections that say nothing, as many as the copy's queue holds and renewed as fast as
# the copy closes them, keep no start out.
/usr/bin/python3 "$HERE/link_client.py" hold "$SOCKET" 1000 >"$E2E_TMP/hold.log" &
HOLDER=$!
E2E_PIDS+=("$HOLDER")
wait_for 300 grep -q holding "$E2E_TMP/hold.log" || fail "could not flood the socket"
start=$(ms)
timeout 60 "$APP_DIR/tallix" >"$E2E_TMP/flooded.log" 2>&1 ||
    fail "a start against a flooded socket failed: $(cat "$E2E_TMP/flooded.log")"
echo "a start through the flood ended after $(($(ms) - start)) ms"
kill "$HOLDER"
wait "$HOLDER" 2>/dev/null

# Two hundred starts at once each end cleanly, and open no window.
start=$(ms)
for i in $(seq 200); do
    (
        timeout 120 "$APP_DIR/tallix" >"$E2E_TMP/crowd-$i.log" 2>&1
        echo $? >"$E2E_TMP/crowd-$i.rc"
    ) &
done
wait_for 900 sh -c "[ \$(ls $E2E_TMP/crowd-*.rc | wc -l) -eq 200 ]" || fail "200 starts at once did not all end"
echo "200 starts at once ended after $(($(ms) - start)) ms"
failed=$(grep -L -x 0 "$E2E_TMP"/crowd-*.rc)
[ -z "$failed" ] || fail "$(wc -w <<<"$failed") of 200 starts failed, one with: $(cat "${failed%%.rc*}.log")"
said=$(cat "$E2E_TMP"/crowd-*.log)
[ -z "$said" ] || fail "starts at once said: $(head -n 3 <<<"$said")"
[ "$(main_windows)" -eq 1 ] || fail "$(main_windows) main windows after 200 starts"
kill -0 "$FIRST" || fail "the first copy died"

# A killed copy leaves nothing that blocks the next start.
kill -9 "$FIRST"
wait "$FIRST" 2>/dev/null
[ -S "$SOCKET" ] || fail "expected the killed copy's socket file to remain"

# A running copy that cannot be brought forward: the start says so in one line on
# standard error and ends with status 1, with no dialog waiting on the screen.
/usr/bin/python3 "$HERE/link_client.py" refuse "$LINKS/tallix.lock" "$SOCKET" >"$E2E_TMP/refuse.log" &
REFUSER=$!
E2E_PIDS+=("$REFUSER")
wait_for 50 grep -q serving "$E2E_TMP/refuse.log" || fail "could not stand in for a refusing copy"
timeout 20 "$APP_DIR/tallix" >/dev/null 2>"$E2E_TMP/refused.log"
rc=$?
[ "$rc" -eq 1 ] || fail "a refused start ended with status $rc (124: it waited on a dialog): $(cat "$E2E_TMP/refused.log")"
[ "$(wc -l <"$E2E_TMP/refused.log")" -eq 1 ] && grep -q "Run-time error '285'" "$E2E_TMP/refused.log" ||
    fail "a refused start said, instead of one line: $(cat "$E2E_TMP/refused.log")"
kill "$REFUSER"
wait "$REFUSER" 2>/dev/null
e2e_start_app
[ "$(client send "$SOCKET" SHOWME)" = ACK ] || fail "the new copy does not serve"
timeout 20 "$APP_DIR/tallix" >>"$E2E_TMP/second.log" 2>&1 || fail "second start after a kill failed"
# Closing the window ends the copy, and its service goes with it.
close_window "$MAIN_WIN"
wait_for 50 sh -c "! kill -0 $APP_PID" || fail "the copy did not end when its window closed"
[ ! -e "$SOCKET" ] || fail "the ended copy left its socket behind"

# A renamed copy is a program of its own: it serves under its own name, and its second
# start brings it forward and ends without a window of its own.
cp "$APP_DIR/tallix" "$APP_DIR/calc2"
"$APP_DIR/calc2" >"$E2E_TMP/calc2.log" 2>&1 &
RENAMED=$!
E2E_PIDS+=($RENAMED)
wait_for 100 xdotool search --onlyvisible --name "^$MAIN_TITLE\$" || fail "renamed copy shows no window"
RENAMED_WIN=$(xdotool search --onlyvisible --name "^$MAIN_TITLE\$" | head -n 1)
[ "$(client send "$LINKS/calc2|FormDDE" SHOWME)" = ACK ] || fail "renamed copy does not serve calc2|FormDDE"
xdotool windowmove "$RENAMED_WIN" 300 200
wait_for 50 sh -c "[ \"\$(xdotool getwindowgeometry --shell $RENAMED_WIN | grep -E '^(X|Y)=' | tr '\n' ' ')\" = 'X=300 Y=200 ' ]" ||
    fail "could not move the renamed copy's window away"
before=$(snapshot)
timeout 20 "$APP_DIR/calc2" >"$E2E_TMP/calc2-second.log" 2>&1 || fail "the second calc2 failed: $(cat "$E2E_TMP/calc2-second.log")"
wait_for 50 sh -c "[ \"\$(xdotool getwindowgeometry --shell $RENAMED_WIN | grep -E '^(X|Y)=' | tr '\n' ' ')\" = 'X=27 Y=20 ' ]" ||
    fail "the second calc2 did not bring calc2 forward: $(window_rect "$RENAMED_WIN")"
[ "$(main_windows)" -eq 1 ] || fail "the second calc2 opened a main window"
[ "$(snapshot)" = "$before" ] || fail "the second calc2 changed the program's folder"
echo "single instance test passed"
