# Helpers of the end-to-end tests that run the program through XWayland under a Wayland
# compositor: mutter or KWin, headless, with one virtual monitor and XWayland; the
# compositor's own seat pointer driven as a mouse would drive it (xdotool moves only
# XWayland's pointer, which the compositor never sees); a native Wayland window to move
# the pointer onto (native_window.cpp on Qt's Wayland platform; foot dies of a division
# by zero on KWin's virtual monitor, which has no physical size). Source it after lib.sh,
# call e2e_with_accessibility first (mutter takes the pointer commands on the session
# bus), then e2e_start_wayland instead of e2e_start_display.
E2E_COMPOSITORS="mutter kwin"
# The virtual monitor.
SCREEN_W=1280
SCREEN_H=1024
# Linux input event codes of the buttons.
BUTTON_LEFT=272
BUTTON_RIGHT=273

# The Xwayland server that the compositor started, once its listening socket is there:
# "DISPLAY XAUTHORITY" from its command line (mutter gives it an authority file, KWin
# none).
xwayland_of() {
    local xpid words i display="" auth=""
    xpid=$(pgrep -P "$1" -x Xwayland | head -n 1) && [ -n "$xpid" ] || return 1
    mapfile -d '' -t words <"/proc/$xpid/cmdline"
    for ((i = 1; i < ${#words[@]}; i++)); do
        case "${words[i]}" in
        :[0-9]*) display=${words[i]} ;;
        -auth) auth=${words[i + 1]} ;;
        esac
    done
    [ -n "$display" ] && [ -S "/tmp/.X11-unix/X${display#:}" ] && echo "$display $auth"
}

# Starts the compositor ($1: mutter or kwin) as a Wayland session's display server with
# XWayland, and exports WAYLAND_DISPLAY and XWayland's DISPLAY. Each picks XWayland's
# display number itself, taking the first that no lock file claims, so that tests on
# other displays cannot be confused with ours; the Wayland socket gets a name of its own
# in the test's runtime folder.
e2e_start_wayland() {
    local compositor=$1 home="$E2E_TMP/wm-home" pid xwayland
    local -a command
    [ -n "${TALLIX_E2E_DBUS:-}" ] || fail "call e2e_with_accessibility before e2e_start_wayland"
    E2E_COMPOSITOR=$compositor
    mkdir -p "$home"
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    export WAYLAND_DISPLAY="tallix-e2e-$$-$RANDOM"
    export XDG_SESSION_TYPE=wayland
    unset DISPLAY XAUTHORITY QT_QPA_PLATFORM
    case "$compositor" in
    mutter)
        command=(mutter --wayland --headless --virtual-monitor "${SCREEN_W}x$SCREEN_H"
            --wayland-display "$WAYLAND_DISPLAY" --sm-disable)
        ;;
    kwin)
        # Debian gives kwin_wayland a file capability, and a container that may not grant
        # it refuses to start the file at all; a copy has none. It keeps the name: KWin's
        # own Qt platform plugin loads only into a program called kwin_wayland.
        cp /usr/bin/kwin_wayland "$E2E_TMP/kwin_wayland" || fail "kwin_wayland is not installed"
        # Without the permission checks KWin offers its fake-input protocol to any
        # client, not only to the programs that its desktop files name.
        command=(env KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 "$E2E_TMP/kwin_wayland" --virtual --xwayland
            --width "$SCREEN_W" --height "$SCREEN_H" --socket "$WAYLAND_DISPLAY"
            --no-lockscreen --no-global-shortcuts --no-kactivities)
        ;;
    *) fail "unknown compositor '$compositor' (known: $E2E_COMPOSITORS)" ;;
    esac
    command -v "${command[0]}" >/dev/null || fail "$compositor is not installed"
    HOME="$home" "${command[@]}" >"$E2E_TMP/compositor.log" 2>&1 &
    pid=$!
    E2E_PIDS+=("$pid")
    wait_for 100 xwayland_of "$pid" ||
        fail "$compositor started no XWayland: $(tail -n 5 "$E2E_TMP/compositor.log")"
    read -r DISPLAY xwayland <<<"$(xwayland_of "$pid")"
    export DISPLAY
    [ -z "$xwayland" ] || export XAUTHORITY=$xwayland
    wait_for 100 xdpyinfo || fail "$compositor: XWayland on $DISPLAY does not answer"
    wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
        fail "$compositor manages no X windows: $(tail -n 5 "$E2E_TMP/compositor.log")"
    kill -0 "$pid" 2>/dev/null || fail "$compositor ended: $(tail -n 5 "$E2E_TMP/compositor.log")"
    dbus-update-activation-environment DISPLAY XAUTHORITY WAYLAND_DISPLAY XDG_RUNTIME_DIR >/dev/null 2>&1
    export XDG_DATA_HOME="$E2E_TMP/data"
    e2e_start_seat
}

# The seat's pointer, driven by a helper that lives as long as the test: mutter closes a
# remote-desktop session when the connection that made it goes, and a press and its
# release must come from the same device. The helper answers each command once the
# compositor has taken it. Where the pointer is,
# the compositor does not tell: SEAT_X and SEAT_Y follow it from the corner where
# e2e_start_seat pins it. Both compositors move the pointer of these virtual devices by
# the motion as sent, without the acceleration of a real mouse, and keep it on the
# monitor.
e2e_start_seat() {
    local reply
    case "$E2E_COMPOSITOR" in
    mutter) coproc SEAT { exec /usr/bin/python3 "$E2E_DIR/seat_mutter.py" 2>>"$E2E_TMP/seat.log"; } ;;
    kwin)
        [ -x "${E2E_SEAT_KWIN:-}" ] || fail "E2E_SEAT_KWIN names no seat_kwin program (the build makes it with the Wayland development files)"
        coproc SEAT { exec "$E2E_SEAT_KWIN" 2>>"$E2E_TMP/seat.log"; }
        ;;
    esac
    E2E_PIDS+=("$SEAT_PID")
    read -r -t 30 reply <&"${SEAT[0]}" && [ "$reply" = ready ] ||
        fail "$E2E_COMPOSITOR: the seat pointer cannot be driven: $(tail -n 5 "$E2E_TMP/seat.log")"
    SEAT_X=0
    SEAT_Y=0
    seat_command move $((-4 * SCREEN_W)) $((-4 * SCREEN_H))
}

seat_command() {
    local reply
    kill -0 "$SEAT_PID" 2>/dev/null || fail "$E2E_COMPOSITOR: the seat helper ended: $(tail -n 5 "$E2E_TMP/seat.log")"
    echo "$*" >&"${SEAT[1]}"
    read -r -t 30 reply <&"${SEAT[0]}" && [ "$reply" = ok ] ||
        fail "$E2E_COMPOSITOR: '$*' to the seat pointer: ${reply:-no answer}"
}

# Puts the pointer at X Y in one motion; the compositor stops it at the monitor's edges.
seat_move_to() {
    local x=$1 y=$2
    seat_command move $((x - SEAT_X)) $((y - SEAT_Y))
    ((x < 0)) && x=0
    ((x >= SCREEN_W)) && x=$((SCREEN_W - 1))
    ((y < 0)) && y=0
    ((y >= SCREEN_H)) && y=$((SCREEN_H - 1))
    SEAT_X=$x
    SEAT_Y=$y
}

# Moves the pointer to X Y in a few steps ($3, 4 unless given), as a hand would.
seat_glide() {
    local x0=$SEAT_X y0=$SEAT_Y steps=${3:-4} i
    for ((i = 1; i <= steps; i++)); do
        seat_move_to $((x0 + ($1 - x0) * i / steps)) $((y0 + ($2 - y0) * i / steps))
        sleep 0.05
    done
}

seat_press() { seat_command press "${1:-$BUTTON_LEFT}"; }
seat_release() { seat_command release "${1:-$BUTTON_LEFT}"; }

# Starts the native Wayland window (E2E_NATIVE_WINDOW names the program) and waits until
# it covers the monitor. What it reports goes to $NATIVE_LOG.
e2e_start_native_window() {
    [ -x "${E2E_NATIVE_WINDOW:-}" ] || fail "E2E_NATIVE_WINDOW names no native_window program"
    NATIVE_LOG="$E2E_TMP/native-window.log"
    QT_QPA_PLATFORM=wayland "$E2E_NATIVE_WINDOW" >"$NATIVE_LOG" 2>"$E2E_TMP/native-window.err" &
    NATIVE_PID=$!
    E2E_PIDS+=("$NATIVE_PID")
    wait_for 100 native_covers_screen ||
        fail "$E2E_COMPOSITOR: the native window does not cover the screen: $(tail -n 3 "$NATIVE_LOG" "$E2E_TMP/native-window.err")"
}

e2e_stop_native_window() {
    kill "$NATIVE_PID" 2>/dev/null
    wait "$NATIVE_PID" 2>/dev/null
}

native_covers_screen() { [ "$(grep '^size ' "$NATIVE_LOG" | tail -n 1)" = "size $SCREEN_W $SCREEN_H" ]; }
# True once the native window reports the pointer at X Y, where the seat put it. Until
# then each call moves the pointer there anew: a window that the compositor has only just
# maximized may report the first motions at the place where it was shown at first.
native_takes_pointer_at() {
    local last
    last=$(grep -E '^(enter|motion|leave)( |$)' "$NATIVE_LOG" | tail -n 1)
    [ "$last" = "motion $1 $2" ] || [ "$last" = "enter $1 $2" ] && [ "$SEAT_X $SEAT_Y" = "$1 $2" ] && return 0
    seat_move_to $(($1 + 1)) "$2"
    seat_move_to "$1" "$2"
    return 1
}

# True once XWayland has the pointer at X Y over the X window $1: the compositor gives
# XWayland the pointer only where an X window's surface is the one on top. Until then
# each call moves the pointer there anew, as an X window that XWayland maps shows on the
# screen only once the compositor has taken its surface, and a pointer that waits
# beneath it meanwhile may stay with what was there.
xwayland_takes_pointer_over() {
    local X Y
    eval "$(xdotool getmouselocation --shell | grep -E '^(X|Y)=')"
    [ "$SEAT_X $SEAT_Y" = "$2 $3" ] && [ "$X $Y" = "$2 $3" ] && pointer_over "$1" && return 0
    seat_move_to $(($2 + 1)) "$3"
    seat_move_to "$2" "$3"
    return 1
}
