#!/usr/bin/env bash
# An installed copy (cmake --install into a prefix of its own) keeps its files in
# $XDG_DATA_HOME/tallix, or ~/.local/share/tallix without that variable, and never
# writes into its bin folder: run as root, who could write there, and as an ordinary
# user when this machine lets the test become one.
source "$(dirname "$0")/lib.sh"
build=$(cd "$(dirname "$1")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done && pwd)
prefix=$E2E_TMP/prefix
cmake --install "$build" --prefix "$prefix" >"$E2E_TMP/install.log" 2>&1 || fail "cmake --install: $(cat "$E2E_TMP/install.log")"
bin_files=$(ls -A "$prefix/bin")
e2e_start_display

# Waits for the main window of the program started as $APP_PID, closes it as the user
# would, and waits for the program to end.
run_until_closed() {
    wait_for 100 xdotool search --pid "$APP_PID" --name "^$MAIN_TITLE\$" || fail "main window did not appear"
    close_window "$(xdotool search --pid "$APP_PID" --name "^$MAIN_TITLE\$" | head -n 1)"
    wait_for 100 sh -c "! kill -0 $APP_PID" || fail "the program did not end after its window closed"
}
check_files_in() {
    [ -f "$1/tallix.dat" ] && [ -f "$1/myalldata.dat" ] || fail "$2: no files in $1: $(ls -A "$1" 2>&1)"
    [ "$(ls -A "$prefix/bin")" = "$bin_files" ] || fail "$2: the bin folder gained files: $(ls -A "$prefix/bin")"
}

"$prefix/bin/tallix" >"$E2E_TMP/root.log" 2>&1 &
APP_PID=$!
run_until_closed
check_files_in "$XDG_DATA_HOME/tallix" "root"

if setpriv --reuid=nobody --regid=nogroup --clear-groups true 2>/dev/null; then
    home=$E2E_TMP/home
    runtime=$E2E_TMP/runtime-user
    mkdir -p "$home" && mkdir -m 700 "$runtime" && chown nobody:nogroup "$home" "$runtime"
    chmod 755 "$E2E_TMP"
    setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env -u XDG_DATA_HOME HOME="$home" XDG_RUNTIME_DIR="$runtime" "$prefix/bin/tallix" >"$E2E_TMP/user.log" 2>&1 &
    APP_PID=$!
    run_until_closed
    check_files_in "$home/.local/share/tallix" "an ordinary user"
    [ "$(stat -c %U "$home/.local/share/tallix/myalldata.dat")" = nobody ] || fail "the user's history is not the user's"
else
    echo "the run as an ordinary user was skipped: setpriv cannot change users here"
fi
echo "installed data folder test passed"
