#!/usr/bin/env bash
# Started where there is no display, or where the display named does not answer, the
# program says so in one line and ends with status 1, before it reads or writes any file.
source "$(dirname "$0")/lib.sh"
e2e_install_app "$1"
export XDG_DATA_HOME="$E2E_TMP/data"
snapshot() { find "$APP_DIR" "$XDG_DATA_HOME" -printf '%p %s %T@\n' 2>/dev/null | sort; }
before=$(snapshot)
for wayland in "" "wayland-0"; do
    env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY="$wayland" "$APP_DIR/tallix" 2>"$E2E_TMP/err"
    rc=$?
    [ "$rc" -eq 1 ] || fail "ended with status $rc without a display (WAYLAND_DISPLAY='$wayland')"
    [ "$(wc -l <"$E2E_TMP/err")" -eq 1 ] && grep -q 'no display' "$E2E_TMP/err" ||
        fail "said, instead of one clear line: $(cat "$E2E_TMP/err")"
done
# A display number that no X server holds.
n=99
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=":$n" "$APP_DIR/tallix" 2>"$E2E_TMP/err"
rc=$?
[ "$rc" -eq 1 ] || fail "ended with status $rc on the display :$n that nobody runs: $(cat "$E2E_TMP/err")"
[ "$(wc -l <"$E2E_TMP/err")" -eq 1 ] && grep -q ":$n\" does not answer" "$E2E_TMP/err" ||
    fail "said, instead of one clear line: $(cat "$E2E_TMP/err")"
[ "$(snapshot)" = "$before" ] || fail "a start without a display touched files"
echo "no display test passed"
