#!/usr/bin/env bash
# How the real program keeps up with keys in a long formula, under Xvfb and openbox: a
# formula of N characters (1,048,555 unless set) is pasted into the formula box, then
#  - single keys: 20 keystrokes half a second apart (a digit typed at the end, then
#    Backspace), and the processor time the program spent per keystroke;
#  - a held key: Backspace held for S seconds (20 unless set) at the server's repeat rate
#    (the X default: 660 ms delay, 25 per second), and how long the program stayed busy
#    after the key went up.
# "Busy" is the program's processor time growing: its clock ticks are read every 20 ms,
# and it is idle again once they stand still for 300 ms.
#   Usage: tools/held_key_bench.sh build-rel/src/tallix [characters] [seconds]
source "$(dirname "$0")/../tests/e2e/lib.sh"
LENGTH=${2:-1048555}
HOLD=${3:-20}
e2e_start_display 1280x1024
e2e_install_app "$1"
e2e_start_app
FORMULA_AT="100 139"
HZ=$(getconf CLK_TCK)

ticks() { awk '{ print $14 + $15 }' "/proc/$APP_PID/stat"; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# Prints when (ms) the program's ticks last grew, once they stood still for 300 ms.
wait_idle() {
    local last t changed still=0
    last=$(ticks)
    changed=$(now_ms)
    while [ "$still" -lt 15 ]; do
        sleep 0.02
        t=$(ticks)
        if [ "$t" != "$last" ]; then
            last=$t
            changed=$(now_ms)
            still=0
        else
            still=$((still + 1))
        fi
    done
    echo "$changed"
}

xdotool mousemove $FORMULA_AT click 1
sleep 0.5
# "1+1+...+1": a sum that evaluates, one paragraph.
python3 -c "import sys; n=$LENGTH; s=('1+'*(n//2+1))[:n-1]+'1'; sys.stdout.write(s)" | xclip -selection clipboard
xdotool key ctrl+v
wait_idle >/dev/null

before=$(ticks)
for _ in $(seq 10); do
    xdotool key 1
    sleep 0.5
    xdotool key BackSpace
    sleep 0.5
done
wait_idle >/dev/null
after=$(ticks)
awk -v t=$((after - before)) -v hz="$HZ" 'BEGIN { printf "single keys: %.0f ms of processor time per keystroke (20 keystrokes)\n", 1000 * t / hz / 20 }'

xdotool keydown BackSpace
sleep "$HOLD"
xdotool keyup BackSpace
up=$(now_ms)
idle=$(wait_idle)
echo "held Backspace ${HOLD} s: busy $((idle > up ? idle - up : 0)) ms after the key went up"
