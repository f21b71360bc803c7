#!/usr/bin/env bash
# The main window as a screen reader and a keyboard user meet it: every control has a
# role and a name, every button says what it does, the tip line's text reaches the
# formula box the user is in, Tab reaches the help icon and Enter opens the help.
source "$(dirname "$0")/lib.sh"
e2e_with_accessibility "$@"
e2e_start_display
e2e_install_app "$1"
e2e_start_app

FORMULA_AT="100 139"
described() { /usr/bin/python3 "$E2E_DIR/accessible.py" described; }
focused_on() { /usr/bin/python3 "$E2E_DIR/accessible.py" focus | grep -qx "$1"; }
wait_for 200 sh -c "/usr/bin/python3 $E2E_DIR/accessible.py described | grep -q '^push button'" ||
    fail "the buttons are not visible to assistive technology"

# A new window gives the focus to the first control of the tab order, not to the close
# button of its caption bar.
wait_for 50 focused_on "$(printf 'text\t结果')" ||
    fail "the focus starts in $(/usr/bin/python3 "$E2E_DIR/accessible.py" focus), not in the result box"

# A formula that fails, so that the tip line has something to say.
xdotool mousemove $FORMULA_AT click 1
wait_for 50 focused_on "$(printf 'text\t公式')" || fail "could not focus the formula box"
xdotool type --delay 40 '1/0'
wait_for 50 sh -c "/usr/bin/python3 $E2E_DIR/accessible.py label | grep -qx '温馨提示:被零除'" || fail "no tip after 1/0"

all=$(described)
expect() {
    grep -qxF "$1" <<<"$all" || fail "no '$1' among what a screen reader finds:
$all"
}
expect "$(printf 'text\t结果\t')"
expect "$(printf 'text\t公式\t温馨提示:被零除')"
expect "$(printf 'text\t历史记录\t')"
expect "$(printf 'label\t温馨提示:被零除\t')"
expect "$(printf 'filler\t图标\t双击或按回车键打开说明')"
expect "$(printf 'push button\t关闭\t关闭窗口')"
buttons=$(grep -c "^push button" <<<"$all")
[ "$buttons" -eq 14 ] || fail "$buttons buttons, not the 13 of the column and the close button"
undescribed=$(grep "^push button" <<<"$all" | awk -F'\t' '$3 == ""')
[ -z "$undescribed" ] || fail "buttons that do not say what they do: $undescribed"

# From the formula box, Tab goes through the history box, "()" and "<>" to the icon,
# which shows that it has the focus and opens the help on Enter.
for _ in 1 2 3 4; do xdotool key Tab; done
wait_for 50 focused_on "$(printf 'filler\t图标')" ||
    fail "Tab did not reach the help icon: $(/usr/bin/python3 "$E2E_DIR/accessible.py" focus)"
xdotool key Return
wait_for 50 xdotool search --name '^help$' || fail "Enter on the icon opened no help window"
echo "accessibility test passed"
