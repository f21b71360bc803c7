# A headless sway (wlroots) with XWayland in place of Xvfb and an X window manager: the
# compositor that takes no position an X window asks for and applies no X shape. Source
# it after lib.sh, then call e2e_start_sway; DISPLAY is then XWayland's, for the program
# (on xcb) and for xwininfo and xprop. The pointer is a virtual one (virtual_pointer.py):
# sway's own `seat cursor move` sends no motion to a window while a button is held, so it
# cannot drag what a program drags itself.
#
# Sway refuses to start as root: under root it runs as the user nobody, in a folder of
# the test's that nobody owns, and lets root's clients onto its X display.

# Prints sway's answer to one IPC message, JSON: swaymsg -t TYPE [MESSAGE].
sway_ipc() { SWAYSOCK=$SWAY_SOCK swaymsg "$@"; }

e2e_start_sway() {
    local size=${1:-1280x1024} dir="$E2E_TMP/sway" output
    local -a as_user=()
    command -v sway >/dev/null || fail "sway is not installed (tools/dev.sh installs it)"
    mkdir -p -m 700 "$dir/runtime"
    if [ "$(id -u)" = 0 ]; then
        chmod 711 "$E2E_TMP"
        chown -R nobody: "$dir"
        as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    fi
    # XWayland's display, which sway gives every command it starts.
    cat >"$dir/config" <<EOF
output * resolution $size position 0 0
xwayland enable
exec sh -c 'echo "\$DISPLAY" > $dir/display'
EOF
    env -i PATH="$PATH" HOME="$dir" XDG_RUNTIME_DIR="$dir/runtime" WLR_BACKENDS=headless \
        WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman "${as_user[@]}" sway -c "$dir/config" \
        >"$E2E_TMP/sway.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for 100 sh -c "ls '$dir/runtime'/sway-ipc.*.sock && test -s '$dir/display'" ||
        fail "sway did not start: $(tail -n 5 "$E2E_TMP/sway.log")"
    SWAY_SOCK=$(ls "$dir/runtime"/sway-ipc.*.sock)
    SWAY_WAYLAND="$dir/runtime/$(cd "$dir/runtime" && ls wayland-* | grep -v lock | head -n 1)"
    output=$(sway_ipc -t get_outputs | python3 -c 'import json, sys; o = json.load(sys.stdin)[0]; r = o["rect"]; print(o["name"], "%dx%d" % (r["width"], r["height"]))')
    [ "${output#* }" = "$size" ] || fail "sway's output is $output, not $size"
    export DISPLAY
    DISPLAY=$(cat "$dir/display")
    # XWayland starts with the first X client: the command that lets ours in.
    [ -z "${as_user[*]}" ] || sway_ipc -q exec "xhost +si:localuser:$(id -un) >/dev/null"
    wait_for 100 xdpyinfo || fail "XWayland did not start on $DISPLAY: $(tail -n 5 "$E2E_TMP/sway.log")"
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    export XDG_DATA_HOME="$E2E_TMP/data"
    export QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY
    mkfifo "$E2E_TMP/pointer"
    WAYLAND_DISPLAY=$SWAY_WAYLAND POINTER_AREA=$size python3 "$E2E_DIR/virtual_pointer.py" "$E2E_TMP/pointer" \
        >"$E2E_TMP/pointer.log" 2>&1 &
    E2E_PIDS+=($!)
    POINTER_DONE=0
    wait_for 50 grep -q '^ready$' "$E2E_TMP/pointer.log" ||
        fail "no virtual pointer: $(tail -n 3 "$E2E_TMP/pointer.log")"
}

# Sends one line to the virtual pointer and waits until sway has handled it.
pointer() {
    echo "$*" >"$E2E_TMP/pointer"
    POINTER_DONE=$((POINTER_DONE + 1))
    wait_for 50 grep -q "^done $POINTER_DONE\$" "$E2E_TMP/pointer.log" ||
        fail "the virtual pointer did not take '$*': $(tail -n 3 "$E2E_TMP/pointer.log")"
}
pointer_to() { pointer to "$1" "$2"; }
pointer_press() { pointer press; }
pointer_release() { pointer release; }

# Starts the copied program and waits for its main window, mapped and placed by sway:
# $MAIN_WIN. Sway places it where it likes, not at the top-left corner.
sway_start_app() {
    "$APP_DIR/tallix" >"$E2E_TMP/app.log" 2>&1 &
    APP_PID=$!
    wait_for 100 xdotool search --name "^$MAIN_TITLE\$" || fail "main window did not appear"
    MAIN_WIN=$(xdotool search --name "^$MAIN_TITLE\$" | head -n 1)
    wait_for 100 sway_placed "$MAIN_WIN" || fail "sway did not show the main window: $(sway_rect "$MAIN_WIN")"
}

# Prints "X Y W H" of the window with that X id as sway has it in its tree.
sway_rect() {
    sway_ipc -t get_tree | python3 -c '
import json, sys
def walk(n):
    if n.get("window") == int(sys.argv[1]):
        r = n["rect"]
        print(r["x"], r["y"], r["width"], r["height"])
        sys.exit(0)
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))
sys.exit(1)' "$1"
}

# Prints "X Y W H" of a window as the X server has it: where the program's window is.
x_rect() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print x, y, w, h }'
}

# True once sway shows the window and the X server has it where sway shows it.
sway_placed() { window_viewable "$1" && [ "$(sway_rect "$1")" = "$(x_rect "$1")" ]; }
