#!/usr/bin/env bash
# What would overwhelm the program is refused with a reason: a paste that would make the
# formula longer than the box holds leaves the formula as it was and says why; and two
# copies that cannot find each other (the link folder unusable) never share their files:
# the second says so and ends, and the first loses nothing.
source "$(dirname "$0")/lib.sh"
e2e_with_accessibility "$@"
e2e_start_display
e2e_install_app "$1"
# Something that is no folder where the link folder would be: the copies cannot meet.
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
touch "$XDG_RUNTIME_DIR/tallix-link"
e2e_start_app
FIRST=$APP_PID
FORMULA_AT="100 139"
R_BUTTON_AT="461 248"
shows() { [ "$(accessible --pid "$FIRST" texts | awk -F'\t' -v n="$1" '$1 == n { print $2; exit }')" = "$2" ]; }
tip_is() { [ "$(accessible --pid "$FIRST" label)" = "$1" ]; }

xdotool mousemove $FORMULA_AT click 1
wait_for 50 focus_is text 公式 || fail "could not focus the formula box"
xdotool type --delay 40 '1+2'
wait_for 50 shows 公式 '1+2' || fail "could not type a formula"
head -c 1048577 /dev/zero | tr '\0' '7' | xclip -selection clipboard 2>/dev/null
xdotool key ctrl+v
wait_for 100 tip_is '温馨提示:公式最多 1048576 个字符，这次输入没有被接受' ||
    fail "no tip after a paste beyond the limit: '$(accessible --pid "$FIRST" label)'"
shows 公式 '1+2' || fail "the refused paste changed the formula"
xdotool mousemove $R_BUTTON_AT click 1
wait_for 50 shows 历史记录 '\n▲1+2=3' || fail "R recorded nothing"

# A second copy cannot reach the first: it must not open the same files.
"$APP_DIR/tallix" >"$E2E_TMP/second.log" 2>&1 &
SECOND=$!
E2E_PIDS+=("$SECOND")
wait_for 100 xdotool search --onlyvisible --name '^tallix$' || fail "the second copy showed no message"
grep -q "Run-time error '70':" "$E2E_TMP/second.log" && grep -q '数据文件夹' "$E2E_TMP/second.log" ||
    fail "the second copy's message does not name the cause: $(cat "$E2E_TMP/second.log")"
[ "$(xdotool search --onlyvisible --name "^$MAIN_TITLE\$" | wc -l)" -eq 1 ] || fail "the second copy opened a window"
xdotool search --onlyvisible --name '^tallix$' | head -n 1 | xargs -I{} xdotool windowactivate --sync {} key Return
wait_for 50 sh -c "! kill -0 $SECOND" || fail "the second copy did not end after its message"
wait "$SECOND"
[ $? -eq 1 ] || fail "the second copy ended with another status"

close_window "$MAIN_WIN"
wait_for 100 sh -c "! kill -0 $FIRST" || fail "the first copy did not end with its window"
[ "$(iconv -f UTF-16 -t UTF-8 "$APP_DIR/myalldata.dat")" = $'\r\n▲1+2=3' ] ||
    fail "the history file lost the first copy's entry: $(iconv -f UTF-16 -t UTF-8 "$APP_DIR/myalldata.dat" | od -c | head -n 2)"
echo "limits test passed"
