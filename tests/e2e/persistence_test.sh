#!/usr/bin/env bash
# The settings and history files of a real run: typed into the boxes, written when the
# window is closed through the window manager, shown again at the next start.
source "$(dirname "$0")/lib.sh"
e2e_with_accessibility "$@"
e2e_start_display
e2e_bind_keys ▲
e2e_install_app "$1"

# Pixel centre-ish points of the controls: the window sits at 0,0, its client area
# starts 3 pixels in and below an 18-pixel caption bar (21 in all).
RESULT_AT="100 $((21 + 30))"
FORMULA_AT="100 $((21 + 58 + 60))"
HISTORY_AT="100 $((21 + 191 + 75))"
R_BUTTON_AT="$((3 + 442 + 16)) $((21 + 215 + 12))"

click_at() { xdotool mousemove "$1" "$2" click 1; }
# Keys typed after a click wait for the focus to move (see focus_is in lib.sh).
click_box() {
    case $1 in 结果) click_at $RESULT_AT ;; 公式) click_at $FORMULA_AT ;; 历史记录) click_at $HISTORY_AT ;; esac
    wait_for 30 focus_is text "$1" || fail "a click into the box $1 left the focus in '$(accessible focus)'"
}
type_text() { xdotool type --delay 40 "$1"; }
# The text of the box with that accessible name, line breaks as \n.
box_text() {
    accessible texts | awk -F'\t' -v n="$1" '$1 == n { print $2; exit }'
}
box_is() { [ "$(box_text "$1")" = "$2" ]; }
# The program writes what the boxes hold when it is closed: typing must have arrived.
expect_box() {
    wait_for 30 box_is "$1" "$2" || fail "the box $1 shows '$(box_text "$1")', not '$2'"
}
hex() { od -An -v -tx1 "$1" | tr -d ' \n'; }
# UTF-16LE with the byte-order mark, of a text given with \r and \n escapes.
utf16_hex() { printf 'ff fe'; printf "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1; }
want_hex() { utf16_hex "$1" | tr -d ' \n'; }
close_and_wait() {
    close_window "$MAIN_WIN"
    wait_for 100 sh -c "! kill -0 $APP_PID" || fail "the program did not end after its window closed"
}
start_and_wait_for_texts() {
    e2e_start_app
    wait_for 100 sh -c "/usr/bin/python3 $E2E_DIR/accessible.py texts | grep -q '^公式'" ||
        fail "the boxes are not visible to assistive technology"
}

# 1. Typed straight into the boxes: a two-line formula, a result, one history entry.
start_and_wait_for_texts
[ -z "$(box_text 历史记录)" ] || fail "history not empty at the first start"
click_box 公式
type_text "1+"
xdotool key Return
type_text "2"
click_box 结果
xdotool key ctrl+a
type_text "3"
click_box 历史记录
xdotool key Return
type_text "▲1+2=3"
expect_box 公式 '1+\n2'
expect_box 结果 3
expect_box 历史记录 '\n▲1+2=3'
close_and_wait

[ -f "$APP_DIR/tallix.dat" ] || fail "no settings file beside the program"
settings=$(od -An -c "$APP_DIR/tallix.dat" | tr -s ' \n' ' ')
want=$(printf '[tallix]\r\ntextre=3\r\ntextcalc:lines=1+\\r\\n2\r\n' | od -An -c | tr -s ' \n' ' ')
[ "$settings" = "$want" ] || fail "settings file holds '$settings', not '$want'"
[ "$(hex "$APP_DIR/myalldata.dat")" = "$(want_hex '\r\n▲1+2=3')" ] ||
    fail "history file holds $(hex "$APP_DIR/myalldata.dat")"
[ ! -e "$XDG_DATA_HOME/tallix" ] || fail "a writable program folder must keep the files beside the program"

start_and_wait_for_texts
[ "$(box_text 公式)" = '1+\n2' ] || fail "formula box shows '$(box_text 公式)' after a restart"
[ "$(box_text 结果)" = '3' ] || fail "result box shows '$(box_text 结果)' after a restart"
[ "$(box_text 历史记录)" = '\n▲1+2=3' ] || fail "history box shows '$(box_text 历史记录)' after a restart"
close_and_wait
[ "$(hex "$APP_DIR/myalldata.dat")" = "$(want_hex '\r\n▲1+2=3')" ] || fail "an unchanged run changed the history"

# 2. Recorded with the R button: 1+2, R, 2*3, close; the next start shows it all again.
rm -f "$APP_DIR/tallix.dat" "$APP_DIR/myalldata.dat"
start_and_wait_for_texts
click_box 公式
type_text "1+2"
click_at $R_BUTTON_AT
wait_for 50 sh -c "[ -n \"\$(/usr/bin/python3 $E2E_DIR/accessible.py text 历史记录)\" ]" ||
    fail "the R button recorded nothing"
click_box 公式
type_text "2*3"
expect_box 公式 '2*3'
expect_box 结果 6
close_and_wait
[ "$(hex "$APP_DIR/myalldata.dat")" = "$(want_hex '\r\n▲1+2=3')" ] ||
    fail "history file after recording holds $(hex "$APP_DIR/myalldata.dat")"
settings=$(od -An -c "$APP_DIR/tallix.dat" | tr -s ' \n' ' ')
want=$(printf '[tallix]\r\ntextre=6\r\ntextcalc=2*3\r\n' | od -An -c | tr -s ' \n' ' ')
[ "$settings" = "$want" ] || fail "settings file holds '$settings', not '$want'"
start_and_wait_for_texts
[ "$(box_text 公式)" = '2*3' ] || fail "formula box shows '$(box_text 公式)' after a restart"
[ "$(box_text 结果)" = '6' ] || fail "result box shows '$(box_text 结果)' after a restart"
[ "$(box_text 历史记录)" = '\n▲1+2=3' ] || fail "history box shows '$(box_text 历史记录)' after a restart"
close_and_wait
echo "persistence test passed"
