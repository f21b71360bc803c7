#!/usr/bin/env bash
# How long tallix takes to show its window, and how much memory it takes: with no history,
# with histories of 1, 10 and 100 MB and with a saved formula of a million characters,
# beside a bare Qt window with three text boxes.
# For each start: the time from exec to the first window mapped (Xvfb, no window manager),
# the time until the whole history is in the history box, and the peak resident memory
# at that moment. Every case runs once per round, the rounds interleaved so that a noisy
# machine affects all cases alike; the report gives the median and the range.
#
#   tools/start_bench.sh [--rounds N] [--sizes "1 10 100"] [--compare OTHER_TALLIX]
#
# It builds build-rel/ (Release, with the benchmarks) first; the packages are those the
# test command installs (tools/dev.sh test). --compare runs
# another tallix executable in the same rounds, for before-and-after figures.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
rounds=5
sizes="1 10 100"
compare=""
while [[ $# -gt 0 ]]; do
    case "$1" in
    --rounds) rounds=$2; shift 2 ;;
    --sizes) sizes=$2; shift 2 ;;
    --compare) compare=$(realpath "$2"); shift 2 ;;
    *) echo "usage: $0 [--rounds N] [--sizes \"1 10 100\"] [--compare OTHER_TALLIX]" >&2; exit 2 ;;
    esac
done

for tool in Xvfb python3; do
    command -v "$tool" >/dev/null || { echo "start_bench: needs $tool (apt-get install xvfb python3)" >&2; exit 2; }
done

# The benchmarks' Release build (README), apart from build-release/, which the run
# command makes without them.
build="$root/build-rel"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALLIX_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target tallix start_probe bare_window >/dev/null
probe="$build/bench/start_probe"

work=$(mktemp -d /tmp/tallix-start.XXXXXX)
xvfb_pid=""
cleanup() {
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

display=""
for n in $(seq 70 99); do
    if [[ ! -e /tmp/.X$n-lock && ! -e /tmp/.X11-unix/X$n ]]; then display=:$n; break; fi
done
[[ -n "$display" ]] || { echo "start_bench: no free display" >&2; exit 2; }
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [[ -e /tmp/.X11-unix/X${display#:} ]] && break; sleep 0.1; done
export DISPLAY=$display

# One history file per size, of entries as the record button writes them.
make_history() {
    python3 - "$1" "$2" <<'EOF'
import random, sys
megabytes, path = int(sys.argv[1]), sys.argv[2]
random.seed(megabytes)
parts, size = [], 2
while size < megabytes * 1_000_000:
    a, b, c = random.randint(10000, 99999), random.randint(100, 999), random.randint(10, 99)
    entry = f"\r\n▲{a}*{b}+sin<{c}>={a * b}"
    parts.append(entry)
    size += 2 * len(entry)
with open(path, "wb") as f:
    f.write(b"\xff\xfe" + "".join(parts).encode("utf-16-le"))
EOF
}

# A copy in a folder of its own keeps its files beside itself: each start gets a fresh
# folder with the history in it, and its own runtime folder for the running-copy link.
run_tallix() {
    local program=$1 size=$2 case_dir
    case_dir=$(mktemp -d "$work/run.XXXXXX")
    cp "$program" "$case_dir/tallix"
    case "$size" in
    none) ;;
    formula) cp "$work/formula.dat" "$case_dir/tallix.dat" ;;
    *) cp "$work/history-$size.dat" "$case_dir/myalldata.dat" ;;
    esac
    mkdir -m 700 "$case_dir/runtime"
    local until=()
    # The line is there only where the history comes in after the window.
    if [[ "$size" != none && "$size" != formula ]] && grep -q TALLIX_TRACE_START "$program"; then until=(--until "restored text shown"); fi
    XDG_RUNTIME_DIR="$case_dir/runtime" HOME="$case_dir" TALLIX_TRACE_START=1 \
        "$probe" "${until[@]}" --timeout 120 -- "$case_dir/tallix" || echo "failed"
    rm -rf "$case_dir"
}

for size in $sizes; do make_history "$size" "$work/history-$size.dat"; done
# And a saved formula of a million characters, which the window evaluates as it starts.
python3 -c 'import sys; sys.stdout.write("[tallix]\r\ntextre=0\r\ntextcalc=" + "1+" * 499999 + "1\r\n")' >"$work/formula.dat"

results="$work/results"
: >"$results"
programs=("new=$build/src/tallix")
[[ -n "$compare" ]] && programs+=("compare=$compare")
for round in $(seq "$rounds"); do
    echo "round $round of $rounds" >&2
    echo "bare none $("$probe" --timeout 60 -- "$build/bench/bare_window")" >>"$results"
    for entry in "${programs[@]}"; do
        name=${entry%%=*} program=${entry#*=}
        for size in none $sizes formula; do echo "$name $size $(run_tallix "$program" "$size")" >>"$results"; done
    done
done

python3 - "$results" <<'EOF'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    name, size, *rest = line.split()
    values = dict(part.split("=") for part in rest if "=" in part)
    if "failed" in rest or not values:
        rows.setdefault((name, size), []).append(None)
        continue
    rows.setdefault((name, size), []).append({k: float(v) for k, v in values.items()})

def spread(values):
    values = sorted(values)
    return f"{statistics.median(values):8.0f} ({values[0]:.0f}–{values[-1]:.0f})"

print(f"{'program':8} {'history':>7}  {'to the window, ms':>24}  {'history in, ms':>24}  {'peak RSS, MB':>24}  map/none")
for (name, size), runs in rows.items():
    good = [r for r in runs if r]
    if not good:
        print(f"{name:8} {size:>7}  failed")
        continue
    none = [r["map_ms"] for r in rows.get((name, "none"), []) if r]
    ratio = statistics.median(r["map_ms"] for r in good) / statistics.median(none) if none else float("nan")
    failed = f"  ({len(runs) - len(good)} failed)" if len(good) < len(runs) else ""
    print(f"{name:8} {size:>7}  {spread([r['map_ms'] for r in good]):>24}  "
          f"{spread([r['until_ms'] for r in good]):>24}  {spread([r['peak_rss_mb'] for r in good]):>24}  "
          f"{ratio:5.2f}{failed}")
EOF
