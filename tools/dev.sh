#!/usr/bin/env bash
# Sets up a Debian 12 machine for tallix and builds it.
#   tools/dev.sh run    installs what is missing, builds (Release) and starts the calculator
#   tools/dev.sh test   installs what is missing, builds and runs every test through CTest
#   tools/dev.sh package  installs what is missing, builds (Release) the Debian package
#                         build-package/tallix_<version>_<arch>.deb and runs lintian on it
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

run_packages=(g++ cmake ninja-build pkg-config python3 qt6-base-dev libgl-dev libxcb1-dev fonts-noto-cjk fonts-liberation)
test_packages=("${run_packages[@]}"
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool wmctrl x11-utils imagemagick xclip xterm
    xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
    openbox xfwm4 kwin-x11 mutter metacity fluxbox icewm i3-wm
    sway xwayland kwin-wayland qt6-wayland libwayland-dev libwayland-bin plasma-wayland-protocols
    python3-dbus procps strace
    python3-pyatspi at-spi2-core dbus-daemon dbus-x11 util-linux
    appstream desktop-file-utils file man-db dpkg-dev lintian)
package_packages=("${run_packages[@]}" dpkg-dev file lintian)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# apt-get update runs once, and only when something is missing, so a machine that has
# everything starts building at once.
install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

# Earlier versions of `run` started the program in build-release/src, where it kept its
# files; they move to the data folder once, unless it has files of its own.
adopt_files_from_the_build_folder() {
    local data f
    if [[ "${XDG_DATA_HOME:-}" == /* ]]; then data=$XDG_DATA_HOME/tallix
    elif [[ "${HOME:-}" == /* ]]; then data=$HOME/.local/share/tallix
    else return 0
    fi
    for f in tallix.dat myalldata.dat; do
        if [ -f "$root/build-release/src/$f" ] && [ ! -e "$data/$f" ]; then
            mkdir -p "$data" && mv "$root/build-release/src/$f" "$data/$f" && echo "Moved $f to $data"
        fi
    done
}

case "${1:-}" in
run)
    install_missing "${run_packages[@]}"
    cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DTALLIX_BUILD_TESTS=OFF -DTALLIX_BUILD_BENCH=OFF
    cmake --build "$root/build-release" -j "$jobs"
    # Installed, it runs as an installed copy and keeps the user's files in
    # $XDG_DATA_HOME/tallix, where neither a deleted build folder nor git clean reach.
    cmake --install "$root/build-release" --prefix "$root/build-release/installed" >/dev/null
    adopt_files_from_the_build_folder
    exec "$root/build-release/installed/bin/tallix"
    ;;
test)
    install_missing "${test_packages[@]}"
    cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTALLIX_WERROR=ON
    cmake --build "$root/build" -j "$jobs"
    ctest --test-dir "$root/build" --output-on-failure
    # The core once more, the engine included, built by clang under the sanitizers with
    # its tests and the fuzz targets, optimised: the fuzzer reports any input that runs
    # for more than a second.
    cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DTALLIX_SANITIZE=ON -DTALLIX_FUZZ=ON -DTALLIX_CORE_ONLY=ON -DTALLIX_WERROR=ON \
        -DTALLIX_BUILD_BENCH=OFF
    cmake --build "$root/build-fuzz" -j "$jobs"
    ctest --test-dir "$root/build-fuzz" --output-on-failure
    ;;
package)
    install_missing "${package_packages[@]}"
    # Debian's compiler and linker flags, hardening included.
    eval "$(cd "$root" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
    cmake -S "$root" -B "$root/build-package" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DTALLIX_BUILD_TESTS=OFF -DTALLIX_BUILD_BENCH=OFF \
        -DCMAKE_CXX_FLAGS="$CXXFLAGS $CPPFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS"
    cmake --build "$root/build-package" -j "$jobs"
    rm -f "$root"/build-package/tallix_*.deb
    (cd "$root/build-package" && cpack -G DEB)
    deb=$(ls "$root"/build-package/tallix_*.deb)
    lintian --fail-on error "$deb" 2> >(grep -v 'running with root privileges' >&2)
    echo "$deb"
    ;;
*)
    echo "usage: $0 run|test|package" >&2
    exit 2
    ;;
esac
