#!/usr/bin/env bash
# The button column and the keyboard on the real window: buttons clicked with the mouse
# edit the formula and leave the caret where typing continues, "R" appends the entry to
# the history box, "C" empties the formula and the result, and Enter on the focused "C"
# clicks it. The boxes are read over AT-SPI, which reports each line break as one LF.
source "$(dirname "$0")/lib.sh"
e2e_with_accessibility "$@"
e2e_start_display
e2e_install_app "$1"
e2e_start_app

read -r x y _ <<<"$(window_rect "$MAIN_WIN")"
[ "$x $y" = "0 0" ] || fail "main window at $x,$y"
wait_for 50 accessible_ready ||
    fail "the window is not visible to assistive technology"

# Client area below a 3-pixel border and an 18-pixel caption bar; designs in twips.
client_x=3
client_y=21
button_top() {
    case $1 in
        "()") echo 15 ;; "<>") echo 390 ;; "^()") echo 750 ;; sin) echo 1215 ;;
        cos) echo 1575 ;; tan) echo 1935 ;; cot) echo 2295 ;; C) echo 2850 ;; R) echo 3225 ;;
        +) echo 3780 ;; -) echo 4140 ;; "*") echo 4485 ;; /) echo 4845 ;;
    esac
}
click_button() {
    xdotool mousemove $((client_x + 6630 / 15 + 16)) $((client_y + $(button_top "$1") / 15 + 12)) click 1
}
# A click inside a text box, below its first line.
click_box() {
    case $1 in
        result) xdotool mousemove 200 $((client_y + 15 / 15 + 30)) click 1 ;;
        formula) xdotool mousemove 200 $((client_y + 870 / 15 + 60)) click 1 ;;
    esac
}
box_text() { accessible text "$1"; }
box_is() { [ "$(box_text "$1"; echo .)" = "$2." ]; }
expect_box() {
    wait_for 30 box_is "$1" "$2" || fail "$1 holds '$(box_text "$1")', expected '$2'"
}
# Keys typed after a click wait for what the click does (see focus_is in lib.sh).
expect_focus() {
    wait_for 30 focus_is "$1" "$2" || fail "the focus is in '$(accessible focus)', expected $1 '$2'"
}
# The result box as the user overwrites it by hand, so that the test needs no evaluation.
set_result() {
    click_box result
    expect_focus text 结果
    xdotool key ctrl+a
    xdotool type "$1"
    expect_box 结果 "$1"
}
caret_at_end() { accessible caret "$1" | awk '$1 != $2 { exit 1 }'; }

click_box formula
expect_focus text 公式
xdotool type 2
expect_box 公式 2
click_button "^()"
expect_box 公式 "2^()"
xdotool type 3
expect_box 公式 "2^(3)"

click_button +
click_button sin
click_button "<>"
expect_box 公式 "2^(3)+sin<>"
xdotool type 30
expect_box 公式 "2^(3)+sin<30>"

# The selection is wrapped in place: select "sin<30>" with the keyboard, then "()".
# The caret stood before the last ">", and the click puts it at the end.
click_box formula
wait_for 30 caret_at_end 公式 || fail "a click below the formula left the caret at $(accessible caret 公式)"
xdotool key End shift+Left shift+Left shift+Left shift+Left shift+Left shift+Left shift+Left
click_button "()"
expect_box 公式 "2^(3)+(sin<30>)"
xdotool type "*2"
expect_box 公式 "2^(3)+(sin<30>*2)"

set_result 9
click_button R
expect_box 公式 ""
expect_box 历史记录 $'\n▲2^(3)+(sin<30>*2)=9'

# After "R" the focus is back in the formula; Enter there makes a two-line formula.
xdotool type 1
xdotool key Return
xdotool type 2
expect_box 公式 $'1\n2'
set_result x
click_button R
expect_box 历史记录 $'\n▲2^(3)+(sin<30>*2)=9\n▲1\n2=x'

# "R" on an empty formula records nothing. It does put the focus back into the formula,
# after the history would have changed: with the focus first in the result box, that
# shows that the click has been handled.
click_box result
expect_focus text 结果
click_button R
expect_focus text 公式
expect_box 历史记录 $'\n▲2^(3)+(sin<30>*2)=9\n▲1\n2=x'

# "C" keeps the focus: typing then goes nowhere, and Enter clicks "C" again.
click_box formula
expect_focus text 公式
xdotool type 5
click_button cot
expect_box 公式 "5(1/tan)"
set_result 7
click_button C
expect_box 公式 ""
expect_box 结果 ""
expect_focus "push button" C
# Keys are handled in turn: once Tab has moved the focus on to "R", the 4 has been too.
xdotool type 4
xdotool key Tab
expect_focus "push button" R
expect_box 公式 ""
click_box formula
expect_focus text 公式
xdotool type 8
set_result 8
click_button C
click_box formula
expect_focus text 公式
xdotool type 6
expect_box 公式 "6"
xdotool key Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
# Tab order from the formula: history, (), <>, icon box, ^(), sin, cos, tan, cot, C.
xdotool key Return
expect_box 公式 ""
# Escape does nothing; the Tab after it shows that it has been handled.
xdotool key Escape Tab
expect_focus "push button" R
expect_box 历史记录 $'\n▲2^(3)+(sin<30>*2)=9\n▲1\n2=x'

# Ctrl+Z takes back what was typed after a button, then the button, one at a time.
click_box formula
expect_focus text 公式
xdotool type 12
expect_box 公式 12
click_button +
expect_box 公式 12+
xdotool type 1
expect_box 公式 12+1
xdotool key ctrl+z
expect_box 公式 12+
xdotool key ctrl+z
expect_box 公式 12
app_running || fail "the program ended"
echo "edit buttons test passed"
