#!/usr/bin/env bash
# The main window under a compositor that takes no position an X window asks for and
# applies no X shape: sway, through XWayland. A caption drag is sway's own move: the
# window follows the pointer at its size, shown whole, also when dropped against the left
# edge, where the program would dock it elsewhere; and it stays where it was dropped.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway.sh"
e2e_start_sway 1280x1024
e2e_install_app "$1"
sway_start_app
read -r _ _ W H <<<"$(x_rect "$MAIN_WIN")"
# The window at $1, $2 (to a pixel: sway and XWayland round the pointer's place each
# their own way) at its size, where sway has it too.
at() {
    local x y w h
    read -r x y w h <<<"$(x_rect "$MAIN_WIN")"
    [ $((x - $1)) -ge -1 ] && [ $((x - $1)) -le 1 ] && [ $((y - $2)) -ge -1 ] && [ $((y - $2)) -le 1 ] &&
        [ "$w $h" = "$W $H" ] && [ "$(sway_rect "$MAIN_WIN")" = "$x $y $w $h" ]
}
# The window shows whole: no shape, or one of the whole window.
whole() { [ "$(shown_width "$MAIN_WIN")" = "$W" ]; }

# True once the window follows the pointer, nudged by a pixel: sway has taken the move
# that the press on the caption asked it for. Sway answers a position asked for with
# nothing, not even an event: the first drag is the program's own until it has seen its
# window stay where it was, and sway's from then on.
sway_moves() {
    local before
    before=$(x_rect "$MAIN_WIN")
    pointer move 1 0
    [ "$(x_rect "$MAIN_WIN")" != "$before" ]
}

# Drags the window by its caption, from 100, 10 in it, to $1, $2, checking its size at
# every step; the pointer travels from where it was once sway had taken the move, the
# window then at $FROM_X, $FROM_Y.
drag_to() {
    local x y dx dy i
    read -r x y _ <<<"$(x_rect "$MAIN_WIN")"
    pointer_to $((x + 100)) $((y + 10))
    wait_for 20 pointer_over "$MAIN_WIN" || fail "the pointer at the caption is not over the window"
    pointer_press
    wait_for 20 sway_moves || { pointer_release; fail "a caption drag does not move the window: $(x_rect "$MAIN_WIN")"; }
    read -r FROM_X FROM_Y _ <<<"$(x_rect "$MAIN_WIN")"
    dx=$(($1 - FROM_X)) dy=$(($2 - FROM_Y))
    for i in 1 2 3 4; do
        pointer move $((dx * i / 4 - dx * (i - 1) / 4)) $((dy * i / 4 - dy * (i - 1) / 4))
        read -r _ _ x y <<<"$(x_rect "$MAIN_WIN")"
        [ "$x $y" = "$W $H" ] || { pointer_release; fail "during a drag the window is ${x}x$y, not ${W}x$H"; }
    done
    pointer_release
    wait_for 20 at "$1" "$2" ||
        fail "a drag from $FROM_X, $FROM_Y to $1, $2 left the window at $(x_rect "$MAIN_WIN"), sway's $(sway_rect "$MAIN_WIN")"
    whole || fail "after a drag to $1, $2, $(shown_width "$MAIN_WIN") of $W pixels show"
}

drag_to 700 500

# Past the left edge, where the program would dock the window and slide it away with a
# shape: it stays where sway drops it, whole, as the pointer leaves, also over the
# keeper's ticks.
drag_to -60 500
DROPPED=$(x_rect "$MAIN_WIN")
stays() { [ "$(x_rect "$MAIN_WIN")" = "$DROPPED" ] && ! xwininfo -shape -id "$MAIN_WIN" | grep -q 'shape extents'; }
pointer_to 1000 900
holds_for 25 stays ||
    fail "the window dropped at $DROPPED moved or took a shape: $(x_rect "$MAIN_WIN"), $(shown_width "$MAIN_WIN") pixels show"
app_running || fail "the program ended"
echo "sway test passed"
