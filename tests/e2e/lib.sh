# Shared helpers of the end-to-end tests: a private X display (Xvfb at 96 dpi) with a
# window manager (openbox, or the one E2E_WM names), a copy of the program in a temporary
# folder, xdotool to drive it. Source it, then call e2e_start_display and e2e_start_app.
set -u

E2E_TMP=$(mktemp -d /tmp/tallix-e2e.XXXXXX)
E2E_PIDS=()
APP_PID=""

e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]}" $APP_PID; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    [ -n "${E2E_KEEP:-}" ] || rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
        import -window root "$E2E_TMP/failure.png" 2>/dev/null && echo "screenshot: $E2E_TMP/failure.png" >&2
        E2E_KEEP=1
    fi
    exit 1
}

# Waits until the command succeeds, up to $1 tenths of a second, stretched on a busy
# machine (a CI runner building in parallel) by E2E_PATIENCE, 4 unless set.
wait_for() {
    local tries=$(($1 * ${E2E_PATIENCE:-4}))
    shift
    while ! "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

# Fails as soon as the command fails within $1 tenths of a second. For the checks that
# something does not happen, such as a window that must not move: the time the program
# is given to go wrong. Call it once whatever could set it off has been handled. Not
# stretched by E2E_PATIENCE, as a watch that passes cannot fail on a slow machine.
holds_for() {
    local end=$(($(date +%s%N) + $1 * 100000000))
    shift
    while [ "$(date +%s%N)" -lt "$end" ]; do
        "$@" >/dev/null 2>&1 || return 1
        sleep 0.1
    done
    "$@" >/dev/null 2>&1
}

# Starts an X server on a free display and prints the display number and the server's
# id. $1 names a function that starts the server on display :$2 with exec, so that its
# process is the server's. The display is ours once its lock file names our server: a
# server that finds the display taken ends at once, and a display whose old server is
# still going away is never mistaken for ours. Numbers are drawn at random so that tests
# started together rarely try the same one.
e2e_claim_x_display() {
    local start=$1 n pid
    for _ in $(seq 1 20); do
        n=$((200 + RANDOM % 800))
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        "$start" "$n" &
        pid=$!
        wait_for 100 sh -c "! kill -0 $pid || [ \"\$(tr -dc 0-9 < /tmp/.X$n-lock)\" = $pid ]"
        if kill -0 "$pid" 2>/dev/null && [ "$(tr -dc 0-9 <"/tmp/.X$n-lock")" = "$pid" ]; then
            echo "$n $pid"
            return 0
        fi
        kill "$pid" 2>/dev/null
    done
    return 1
}

e2e_exec_xvfb() { exec Xvfb ":$1" -screen 0 "${E2E_SCREEN_SIZE}x24" -dpi 96 -nolisten tcp -noreset >"$E2E_TMP/xvfb.log" 2>&1; }

e2e_start_display() {
    local n pid
    E2E_SCREEN_SIZE=${1:-1280x1024}
    read -r n pid <<<"$(e2e_claim_x_display e2e_exec_xvfb)" || fail "no free display for Xvfb"
    [ -n "$pid" ] || fail "no free display for Xvfb"
    E2E_PIDS+=("$pid")
    export DISPLAY=":$n"
    wait_for 100 xdpyinfo || fail "Xvfb did not start"
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    e2e_start_window_manager "${E2E_WM:-openbox}"
    export XDG_DATA_HOME="$E2E_TMP/data"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
}

# The window managers the tests know, each started as a desktop session starts it, with a
# home folder of its own so that what it writes there stays in the test's folder: openbox
# (LXDE), xfwm4 (XFCE), kwin (KDE), mutter (GNOME), metacity (GNOME Flashback), fluxbox,
# icewm and i3 (tiling; the program's tool window floats). None needs a D-Bus session to
# manage windows; KWin, mutter, metacity and xfwm4 use one where it is there (a test that
# reads the accessibility bus has one), and services that it starts on demand get the
# display.
E2E_WINDOW_MANAGERS="openbox xfwm4 kwin mutter metacity fluxbox icewm i3"

e2e_start_window_manager() {
    local wm=$1 home="$E2E_TMP/wm-home" pid
    local -a command
    mkdir -p "$home"
    case "$wm" in
    openbox) command=(openbox --sm-disable) ;;
    xfwm4) command=(xfwm4 --replace) ;;
    kwin) command=(kwin_x11 --replace) ;;
    mutter) command=(mutter --x11 --replace --sm-disable) ;;
    metacity) command=(metacity --replace) ;;
    fluxbox)
        # No wallpaper: setting one without an image viewer opens a message window.
        mkdir -p "$home/.fluxbox"
        printf 'background: none\n' >"$home/.fluxbox/overlay"
        command=(fluxbox)
        ;;
    icewm) command=(icewm) ;;
    i3)
        # A configuration of its own keeps i3 from opening its first-start wizard.
        printf 'font pango:monospace 8\n' >"$home/i3-config"
        command=(i3 -c "$home/i3-config")
        ;;
    *) fail "unknown window manager '$wm' (known: $E2E_WINDOW_MANAGERS)" ;;
    esac
    command -v "${command[0]}" >/dev/null || fail "$wm is not installed (tools/dev.sh installs it)"
    if [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
        dbus-update-activation-environment DISPLAY XDG_RUNTIME_DIR >/dev/null 2>&1
    fi
    HOME="$home" "${command[@]}" >"$E2E_TMP/wm.log" 2>&1 &
    pid=$!
    E2E_PIDS+=("$pid")
    wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
        fail "$wm did not start: $(tail -n 5 "$E2E_TMP/wm.log")"
    kill -0 "$pid" 2>/dev/null || fail "$wm ended: $(tail -n 5 "$E2E_TMP/wm.log")"
}

# Copies the program into a folder of its own, so that the files it keeps beside itself
# land there: $APP_DIR/tallix.
e2e_install_app() {
    APP_DIR="$E2E_TMP/app"
    mkdir -p "$APP_DIR"
    cp "$1" "$APP_DIR/tallix"
}

MAIN_TITLE="morvane自由计算器"

# Whether the window is shown, and not only created: a window manager maps a window
# once it has taken it over.
window_viewable() { xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
window_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# The program places its main window in the top-left corner before showing it.
main_ready() {
    window_viewable "$MAIN_WIN" && [ "$(window_rect "$MAIN_WIN" | cut -d' ' -f1-2)" = "0 0" ]
}

# Starts the copied program and waits for its main window: $MAIN_WIN.
e2e_start_app() {
    "$APP_DIR/tallix" >"$E2E_TMP/app.log" 2>&1 &
    APP_PID=$!
    wait_for 100 xdotool search --name "^$MAIN_TITLE\$" || fail "main window did not appear"
    MAIN_WIN=$(xdotool search --name "^$MAIN_TITLE\$" | head -n 1)
    # The window is found as soon as it is created; a press sent before the window
    # manager has shown it lands on the desktop. Whether the window manager gives it
    # the focus as well is its own choice: a test that types clicks into a box first.
    wait_for 100 main_ready ||
        fail "main window not shown at the top-left corner: $(window_rect "$MAIN_WIN"), $(
            xwininfo -id "$MAIN_WIN" | grep -o 'Map State: .*')"
    # Where the test reads the program over the accessibility bus, the program joins the
    # bus on its own time; a box's focus or text can be read only after that.
    if [ -n "${TALLIX_E2E_DBUS:-}" ]; then
        wait_for 100 accessible_ready || fail "the window is not visible to assistive technology"
    fi
}

app_running() { kill -0 "$APP_PID" 2>/dev/null; }

# Asks the window manager to close the window, as its close button would.
close_window() { wmctrl -i -c "$(printf '0x%x' "$1")"; }

# Prints "X Y W H" of a window's outer rectangle in screen pixels.
window_rect() {
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    echo "$X $Y $WIDTH $HEIGHT"
}

screenshot() { import -window root "$1"; }

# The main window's footprint: its outer rectangle "X Y W H", its left side, and the
# width of the part of it that shows.
geometry_is() { [ "$(window_rect "$MAIN_WIN")" = "$1" ]; }
x_is() { [ "$(window_rect "$MAIN_WIN" | cut -d' ' -f1)" = "$1" ]; }
shows() { [ "$(shown_width "$MAIN_WIN")" = "$1" ]; }

# Prints the width of the part of a window that shows: its shape's, or the window's own.
shown_width() {
    local info
    info=$(xwininfo -shape -id "$1") || return 1
    if grep -q 'Window shape extents' <<<"$info"; then
        sed -n 's/.*Window shape extents: *\([0-9]*\)x.*/\1/p' <<<"$info"
    else
        sed -n 's/.*Width: *\([0-9]*\).*/\1/p' <<<"$info"
    fi
}

# The window that a managed window sits in among the root's children: its frame; the
# root for the root.
frame_of() {
    local w=$1 info parent
    # xwininfo asks the user to click a window when given none.
    case "$w" in "" | 0 | 0x0) echo 0; return ;; esac
    while info=$(xwininfo -tree -id "$w") && ! grep -q '(the root window)' <<<"$(grep 'Parent window id:' <<<"$info")"; do
        parent=$(awk '/Parent window id:/ { print $4 }' <<<"$info")
        # The root's parent is none.
        case "$parent" in "" | 0x0) break ;; esac
        w=$parent
    done
    printf '%d\n' "$w"
}

# True while the pointer is over the window: over its frame and within the window's
# shape, where the pointer meets the window and not what lies beneath.
pointer_over() {
    local WINDOW
    eval "$(xdotool getmouselocation --shell | grep '^WINDOW=')"
    [ "$(frame_of "$WINDOW")" = "$(frame_of "$1")" ]
}

# True while window $1 stands above window $2 on the screen (the X server's stacking of
# their frames, which is what the user sees, whatever the window manager tells).
stacked_above() {
    local a b order
    a=$(frame_of "$1") && b=$(frame_of "$2") || return 1
    # Top first.
    order=$(xwininfo -root -children -int | awk '$1 ~ /^[0-9]+$/ { print $1 }')
    a=$(grep -n -x "$a" <<<"$order" | cut -d: -f1)
    b=$(grep -n -x "$b" <<<"$order" | cut -d: -f1)
    [ -n "$a" ] && [ -n "$b" ] && [ "$a" -lt "$b" ]
}

# Restarts the calling test inside a private D-Bus session with the accessibility bus,
# so that accessible.py can read the program as a screen reader would. Call first.
e2e_with_accessibility() {
    if [ -z "${TALLIX_E2E_DBUS:-}" ]; then
        trap - EXIT
        rm -rf "$E2E_TMP"
        TALLIX_E2E_DBUS=1 exec dbus-run-session -- bash "$0" "$@" 2> >(grep -v -E 'dbus-daemon|fd limit|SpiRegistry' >&2)
    fi
    # The launcher puts its bus socket in the runtime folder; a private one keeps tests
    # that run at the same time off each other's bus.
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    # The program asks the session bus for the accessibility bus once, as it starts.
    wait_for 50 sh -c 'dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q "boolean true"' ||
        fail "the accessibility bus did not start"
}

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# accessible tree | texts | text NAME | focus | caret NAME: see accessible.py.
accessible() { /usr/bin/python3 "$E2E_DIR/accessible.py" "$@"; }
# True once the program's buttons can be seen over the accessibility bus: those of the
# copy last started, as an earlier one may still be on the bus.
accessible_ready() { accessible --pid "$APP_PID" tree | grep -q 'push button'; }
# Prints "X Y W H" on the screen of the control with that role and accessible name.
control_rect() {
    accessible --pid "$APP_PID" tree | awk -F'\t' -v r="$1" -v n="$2" '$1 == r && $2 == n { print $3; found = 1; exit }
        END { exit !found }'
}
# Where the main window's form stands, "X Y", read from its button R (at 445, 236 in the
# designed form): a form beyond the screen's edges has a window that stays on the
# screen and shows only the part on it.
form_place() {
    local x y
    read -r x y _ <<<"$(control_rect 'push button' R)" && echo "$((x - 445)) $((y - 236))"
}
form_at() { [ "$(form_place)" = "$1 $2" ]; }
# True while the keyboard focus is in the control with that role and accessible name.
# Keys can overtake a click: the window manager holds each click back until it has dealt
# with the focus, while keys go straight to the window that has the focus. A test that
# types after a click first waits for what the click does, such as the focus moving.
focus_is() { [ "$(accessible --pid "$APP_PID" focus)" = "$1"$'\t'"$2" ]; }

# Binds characters that the keyboard map lacks to free keys, before the program starts.
# xdotool types such a character by binding a spare key for a moment, and a program
# that reads the changed map too late sees the key unbound: the character is lost.
e2e_bind_keys() { /usr/bin/python3 "$E2E_DIR/bind_keys.py" "$1" || fail "could not bind keys for '$1'"; }
