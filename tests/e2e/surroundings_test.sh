#!/usr/bin/env bash
# What a start takes from around it. Qt's plugins and configuration come only from Qt's
# own folders, never from the program's folder, where somebody else may have put files
# beside a copy in a shared folder. Where the session has no bus, the program leaves no
# bus of its own behind.
source "$(dirname "$0")/lib.sh"
e2e_start_display
e2e_install_app "$1"
command -v strace >/dev/null || fail "strace is not installed (tools/dev.sh installs it)"

# A copy in a folder that everybody may write to (its files go to the data folder then),
# where somebody put a qt.conf that sends Qt elsewhere, under both names Qt looks for,
# and a folder of every kind of plugin that Qt loads on X11.
planted=(qt.conf qt6.conf platforms platformthemes platforminputcontexts xcbglintegrations imageformats
    iconengines styles accessiblebridge generic)
printf '[Paths]\nPrefix=/nonexistent\nPlugins=/nonexistent\n[Platforms]\nxcbArguments=nonsense\n' >"$APP_DIR/qt.conf"
cp "$APP_DIR/qt.conf" "$APP_DIR/qt6.conf"
for folder in "${planted[@]:2}"; do mkdir "$APP_DIR/$folder"; done
chmod 777 "$APP_DIR"

unset DBUS_SESSION_BUS_ADDRESS
[ ! -e "$XDG_RUNTIME_DIR/bus" ] || fail "the runtime folder has a bus"
strace -f -qq -o "$E2E_TMP/trace" -e trace=%file "$APP_DIR/tallix" >"$E2E_TMP/app.log" 2>&1 &
TRACER=$!
E2E_PIDS+=("$TRACER")
wait_for 100 pgrep -P "$TRACER" -x tallix || fail "the program did not start under strace"
APP=$(pgrep -P "$TRACER" -x tallix)
wait_for 200 xdotool search --name "^$MAIN_TITLE\$" || fail "no window under strace: $(cat "$E2E_TMP/app.log")"
MAIN_WIN=$(xdotool search --name "^$MAIN_TITLE\$" | head -n 1)
wait_for 100 main_ready || fail "the window is not shown: $(window_rect "$MAIN_WIN")"
close_window "$MAIN_WIN"
# strace goes on while it follows anything the program started.
wait_for 100 sh -c "! kill -0 $APP" || fail "the program did not end with its window"

grep -q '/platforms/libqxcb.so"' "$E2E_TMP/trace" || fail "the trace shows no platform plugin loaded"
for name in "${planted[@]}"; do
    if grep -F "\"$APP_DIR/$name" "$E2E_TMP/trace" >"$E2E_TMP/seen"; then
        fail "Qt looked at $name in the program's folder: $(head -n 2 "$E2E_TMP/seen")"
    fi
done

# A bus started for this display outlives the program when dbus-launch keeps it.
buses_of_display() {
    local pid
    for pid in $(pgrep -x dbus-daemon) $(pgrep -x dbus-launch); do
        { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && echo "$pid"
    done
}
left=$(buses_of_display)
if [ -n "$left" ]; then
    E2E_PIDS+=($left)
    fail "a bus of the program's own outlived it: $(ps -o pid=,args= -p "${left//$'\n'/,}")"
fi
echo "surroundings test passed"
