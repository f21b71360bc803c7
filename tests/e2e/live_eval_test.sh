#!/usr/bin/env bash
# Typing into the real formula box: the result box follows every keystroke, a formula
# that cannot be evaluated shows 0 and the evaluator's message in orange, and typing on
# until the formula is valid clears the message.
source "$(dirname "$0")/lib.sh"
e2e_with_accessibility "$@"
e2e_start_display
e2e_install_app "$1"
e2e_start_app

shown() { if [ "$1" = --label ]; then accessible label; else accessible text "$1"; fi; }

# Waits until the result box and the tip label read as expected.
expect_shown() {
    local result=$1 tip=$2 what=$3
    wait_for 50 sh -c "[ \"\$(/usr/bin/python3 $E2E_DIR/accessible.py text 结果)\" = '$result' ] &&
                       [ \"\$(/usr/bin/python3 $E2E_DIR/accessible.py label)\" = '$tip' ]" ||
        fail "$what: result '$(shown 结果)', tip '$(shown --label)'; wanted '$result', '$tip'"
}

wait_for 50 shown 公式 || fail "the formula box is not visible to assistive technology"

# Into the formula box (designed at 0,870 6615x1815 twips in the client area); typing
# waits for the focus to move there (see focus_is in lib.sh).
xdotool mousemove $((3 + 6615 / 30)) $((21 + (870 + 1815 / 2) / 15)) click 1
wait_for 30 focus_is text 公式 || fail "a click into the formula box left the focus in '$(accessible focus)'"

xdotool type --delay 60 'sin<30>'
expect_shown 0.5 "" "sin<30>"
[ "$(shown 公式)" = 'sin<30>' ] || fail "the formula box reads '$(shown 公式)', not sin<30>"

xdotool key ctrl+a BackSpace
xdotool type --delay 60 '1/0'
expect_shown 0 "温馨提示:被零除" "1/0"

# The tip is drawn in orange (255,128,0): look for that colour in the label's strip
# (designed at -15,5190 6615x300 twips). The label is repainted after its text changes,
# so the screen may show the new text a little after the bus reports it.
tip_orange() {
    import -window root "$E2E_TMP/screen.png" &&
        convert "$E2E_TMP/screen.png" -crop "441x20+2+$((21 + 5190 / 15))" +repage -format %c histogram:info:- |
        grep -qi '#FF8000'
}
wait_for 30 tip_orange || fail "the tip is not orange"

xdotool key BackSpace
expect_shown 0 "温馨提示:缺少表达式" "deleting the 0"

xdotool type --delay 60 '4'
expect_shown 0.25 "" "1/4"
echo "live evaluation test passed"
