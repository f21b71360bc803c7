#!/usr/bin/env bash
# Sets up a Debian 12 machine for tallix and builds it.
#   tools/dev.sh run    installs what is missing, builds (Release) and starts the calculator
#   tools/dev.sh test   installs what is missing, builds and runs every test through CTest
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

run_packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libxcb1-dev fonts-noto-cjk fonts-liberation)
test_packages=("${run_packages[@]}"
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool wmctrl x11-utils imagemagick xclip xterm
    openbox xfwm4 kwin-x11 mutter metacity fluxbox icewm i3-wm
    python3-pyatspi at-spi2-core dbus-daemon dbus-x11 util-linux)

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

case "${1:-}" in
run)
    install_missing "${run_packages[@]}"
    cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DTALLIX_BUILD_TESTS=OFF -DTALLIX_BUILD_BENCH=OFF
    cmake --build "$root/build-release" -j "$jobs"
    exec "$root/build-release/src/tallix"
    ;;
test)
    install_missing "${test_packages[@]}"
    cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug
    cmake --build "$root/build" -j "$jobs"
    ctest --test-dir "$root/build" --output-on-failure
    # The engine once more, built by clang with the fuzz targets under the sanitizers.
    cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_COMPILER=clang++ -DTALLIX_FUZZ=ON -DTALLIX_CORE_ONLY=ON \
        -DTALLIX_BUILD_BENCH=OFF
    cmake --build "$root/build-fuzz" -j "$jobs"
    ctest --test-dir "$root/build-fuzz" --output-on-failure
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
