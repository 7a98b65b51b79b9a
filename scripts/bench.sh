#!/usr/bin/env bash
# The whole benchmark in one command: installs what is missing, builds a Release configuration into build/bench,
# then runs the in-process benchmark (tallivor_bench), the start-up timing of the real executable (bench/startup.sh)
# and its CPU and memory use (bench/resources.sh), and prints one table under a header naming the machine.
#
#   scripts/bench.sh            everything (about three minutes after the build, two of them the CPU measurement)
#   scripts/bench.sh --quick    fewer repetitions and a 20 s CPU stretch, for a first look
#
# The figures are medians over repeated runs; other busy processes on the machine widen the spread, so the header
# shows the load average before and after.
set -euo pipefail
cd "$(dirname "$0")/.."

# Debian packages: the build group of scripts/packages.txt, and what the measurements use (the bench group: Xvfb for
# the start-up, libxcb headers for the X client that watches for the window, python3 for the figures).
install_missing() { scripts/install-packages.sh build bench; }

quick=0
case "${1:-}" in
"") ;;
--quick) quick=1 ;;
*)
    echo "usage: $0 [--quick]" >&2
    exit 2
    ;;
esac

install_missing
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench
bin=build/bench/bin
[ -x "$bin/tallivor_mapwatch" ] || { echo "bench.sh: tallivor_mapwatch was not built (libxcb1-dev?)" >&2; exit 1; }

bench_args=()
startup_runs=15
cpu_seconds=120
if [ "$quick" -eq 1 ]; then
    bench_args=(--reps 15 --warmup 3)
    startup_runs=5
    cpu_seconds=20
fi

runtime=$(mktemp -d /tmp/tallivor-bench-runtime.XXXXXX) # Qt wants a private runtime folder
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime

echo
echo "Tallivor benchmark, $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "machine: $(grep -m1 '^model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores," \
    "$(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)"
echo "system:  $(. /etc/os-release && echo "$PRETTY_NAME"), kernel $(uname -r)"
echo "Qt:      $("$bin/tallivor_bench" --qt-version) (tick, save, click: offscreen platform; start-up: xcb on Xvfb;" \
    "CPU and memory: offscreen)"
changes=$(git status --porcelain -- src 2>/dev/null | grep -q . && echo ' with uncommitted changes in src/' || true)
echo "source:  commit $(git rev-parse --short HEAD 2>/dev/null || echo unknown)$changes"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8 "$bin/tallivor_bench" "${bench_args[@]}"
RUNS=$startup_runs bench/startup.sh build/bench
SECONDS_MEASURED=$cpu_seconds bench/resources.sh build/bench
echo
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
