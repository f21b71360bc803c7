# A desktop of two monitors side by side, for the tests of a window that moves between
# them: LEFT 1280x1024+0+0 and RIGHT 1280x1024+1280+0 on one X screen of 2560x1024 at
# 96 dpi. Xvfb cannot make RandR monitors, so this runs the real X server, Xorg, with its
# dummy video driver and defines the monitors with xrandr. Source it after lib.sh, then
# call e2e_start_monitors LEFT|RIGHT (the primary) instead of e2e_start_display.
#
# Xorg runs as root here (the tests do), without taking a virtual terminal: it shares
# the active one (-sharevts) and never switches (-novtswitch), keeps our process group
# (-keeptty), so the test's cleanup ends it like the other servers, and reads no input
# devices of the machine (AutoAddDevices off; its log names the mouse and keyboard
# drivers it then looks for in vain); xdotool drives it through XTEST.

MONITOR_W=1280
MONITOR_H=1024
# Their physical size gives both 96 dpi, as on the Xvfb display of lib.sh.
MONITOR_MM="338x270"
declare -A MONITOR_X=([LEFT]=0 [RIGHT]=1280)
# The dummy driver's one output, which shows the whole screen.
DUMMY_OUTPUT=DUMMY0

e2e_write_xorg_conf() {
    local dir=$1
    # A folder of its own for the configuration snippets keeps the machine's
    # /etc/X11/xorg.conf.d (a keyboard layout, another driver) out; Xorg takes an empty
    # folder for a missing one.
    mkdir -p "$dir/conf.d"
    printf '# Nothing to add to xorg.conf.\n' >"$dir/conf.d/00-none.conf"
    # A mode as wide as the two monitors, within the dummy's pixel clock (GTF timings).
    cat >"$dir/xorg.conf" <<EOF
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoEnableDevices" "false"
    Option "AutoAddGPU" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "card"
    Driver "dummy"
    VideoRam 65536
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    DisplaySize 677 271
    Modeline "2560x1024" 217.77 2560 2720 2992 3424 1024 1025 1028 1060 -HSync +Vsync
EndSection
Section "Screen"
    Identifier "screen"
    Device "card"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 2560 1024
        Modes "2560x1024"
    EndSubSection
EndSection
Section "ServerLayout"
    Identifier "layout"
    Screen "screen"
EndSection
EOF
}

e2e_exec_xorg() {
    local dir="$E2E_TMP/xorg"
    exec Xorg ":$1" -config "$dir/xorg.conf" -configdir "$dir/conf.d" -logfile "$dir/Xorg.log" \
        -dpi 96 -nolisten tcp -noreset -sharevts -novtswitch -keeptty >"$dir/stderr" 2>&1
}

# Defines monitor $1 as at the start. The primary holds the dummy's output as well, and
# that output is RandR's primary one: Qt takes a monitor that holds the primary output
# for the primary whatever the monitor's own mark says, so the two must agree. The other
# monitor holds no output; an output that no monitor holds would come back as a monitor
# of its own, as wide as the screen.
monitor_restore() {
    local name=$1 outputs=none
    if [ "$name" = "$E2E_PRIMARY" ]; then
        name="*$name"
        outputs=$DUMMY_OUTPUT
    fi
    xrandr --setmonitor "$name" "$MONITOR_W/${MONITOR_MM%x*}x$MONITOR_H/${MONITOR_MM#*x}+${MONITOR_X[$1]}+0" \
        "$outputs" >/dev/null || fail "could not define the monitor $1"
    wait_for 50 monitor_defined "$1" || fail "the monitor $1 did not appear: $(xrandr --listmonitors)"
}

# Takes monitor $1 away, as when it is unplugged. Removing the primary would bring back
# the dummy's output as a monitor the width of the screen, so the tests remove the other.
monitor_remove() {
    xrandr --delmonitor "$1" || fail "could not remove the monitor $1"
    wait_for 50 monitor_gone "$1" ||
        fail "the monitor $1 is still there: $(xrandr --listmonitors)"
}

monitor_defined() { xrandr --listmonitors | grep -q " [*]\?$1 ${MONITOR_W}/"; }
monitor_gone() { ! xrandr --listmonitors | grep -q " [*]\?$1 "; }

# Starts the two-monitor display with monitor $1 (LEFT or RIGHT) primary, then the
# window manager, with the environment of e2e_start_display.
e2e_start_monitors() {
    local n pid
    case "${1:-}" in LEFT | RIGHT) ;; *) fail "e2e_start_monitors: the primary is LEFT or RIGHT, not '${1:-}'" ;; esac
    command -v Xorg >/dev/null && [ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] ||
        fail "Xorg with the dummy driver is not installed (xserver-xorg-core, xserver-xorg-video-dummy)"
    # Xorg reads a configuration and writes a log outside its own folders only when root
    # starts it, and it needs a virtual terminal to share: elsewhere the test cannot run.
    if [ "$(id -u)" != 0 ] || [ ! -e /dev/tty0 ]; then
        echo "skipped: Xorg with the dummy driver needs root and a virtual terminal (/dev/tty0)"
        exit 77
    fi
    E2E_PRIMARY=$1
    e2e_write_xorg_conf "$E2E_TMP/xorg"
    read -r n pid <<<"$(e2e_claim_x_display e2e_exec_xorg)" || true
    [ -n "$pid" ] || fail "no free display for Xorg: $(tail -n 5 "$E2E_TMP/xorg/Xorg.log" 2>/dev/null)"
    E2E_PIDS+=("$pid")
    export DISPLAY=":$n"
    wait_for 100 xdpyinfo || fail "Xorg did not start: $(tail -n 5 "$E2E_TMP/xorg/Xorg.log")"
    xdpyinfo | grep -q 'resolution: *96x96 dots' || fail "the display is not at 96 dpi: $(xdpyinfo | grep resolution)"
    xrandr --output "$DUMMY_OUTPUT" --primary || fail "no output $DUMMY_OUTPUT: $(xrandr)"
    monitor_restore LEFT
    monitor_restore RIGHT
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    e2e_start_window_manager "${E2E_WM:-openbox}"
    export XDG_DATA_HOME="$E2E_TMP/data"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
}

# The program places its main window in the primary monitor's top-left corner: what
# e2e_start_app waits for, here instead of lib.sh's corner of the one screen.
main_ready() {
    window_viewable "$MAIN_WIN" && [ "$(window_rect "$MAIN_WIN" | cut -d' ' -f1-2)" = "${MONITOR_X[$E2E_PRIMARY]} 0" ]
}
