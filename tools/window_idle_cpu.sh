#!/usr/bin/env bash
# Idle CPU of the real program under Xvfb, over $2 seconds (default 30) in each state:
# free (never docked: no slide timer, no pointer watch) and docked at the left edge,
# hidden, the pointer still (only the 50 ms pointer watch runs).
# Usage: [E2E_WM=kwin] tools/window_idle_cpu.sh build/src/tallix [seconds]
# (the window manager as in tests/e2e/lib.sh, openbox unless set)
source "$(dirname "$0")/../tests/e2e/lib.sh"
SECONDS_PER_STATE=${2:-30}
e2e_start_display 1280x1024
e2e_install_app "$1"
e2e_start_app

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$APP_PID/stat"; }
measure() {
    local before after
    before=$(cpu_ticks)
    sleep "$SECONDS_PER_STATE"
    after=$(cpu_ticks)
    awk -v t=$((after - before)) -v s="$SECONDS_PER_STATE" -v hz="$(getconf CLK_TCK)" -v what="$1" \
        'BEGIN { printf "%s: %.2f%% of one core (%d ticks in %d s)\n", what, 100 * t / hz / s, t, s }'
}

xdotool mousemove 900 700
sleep 2
measure "free, not docked"

xdotool mousemove 100 10 mousedown 1 mousemove 60 12 mousemove 20 14
sleep 0.3
xdotool mouseup 1
sleep 1
xdotool mousemove 900 700
hidden() { [ "$(shown_width "$MAIN_WIN")" = 4 ]; }
wait_for 30 hidden || fail "the window did not hide"
sleep 1
measure "docked at the left edge, hidden, pointer still"
