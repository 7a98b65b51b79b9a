#!/usr/bin/env bash
# Times the real Tallivor executable's start-up as a whole process, from outside: from the moment the process is
# started to the moment its window named "Tallivor" is mapped on an X display of its own (Xvfb), once with a station
# file of 32,767 running stations and once with an empty one, alternating, and reports both and their difference.
#
#   bench/startup.sh [BUILD_DIR]          BUILD_DIR defaults to build/bench
#   RUNS=15 bench/startup.sh              counted runs of each file (one more of each warms the caches first)
#
# Needs Tallivor, tallivor_bench (writes the station file) and tallivor_mapwatch (watches for the map) in
# BUILD_DIR/bin, and Xvfb and python3 on the path. The program is ended with SIGKILL once its window is mapped, so
# it never rewrites its station file between runs.
set -euo pipefail
script=startup.sh
source "$(dirname "$0")/common.sh"
runs=${RUNS:-15}
require_built Tallivor tallivor_bench tallivor_mapwatch
command -v Xvfb >/dev/null || { echo "startup.sh: Xvfb is missing (package xvfb)" >&2; exit 1; }

xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# An X display of our own: Xvfb picks a free display number and writes it to the given descriptor. -noreset: by
# default the server resets whenever its last client leaves, and refuses a client that connects during the reset;
# each run here is a new client, so without it a start could find no display, depending on the timing.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || { echo "startup.sh: Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Three program folders, each the executable's folder, as on the counter PC: the largest board, an empty one, and a
# room of 600 stations with 1,000 items on 200 open tabs.
for name in full empty tabs; do
    mkdir "$work/$name"
    cp "$bin/Tallivor" "$bin/English.xml" "$work/$name/"
done
"$bin/tallivor_bench" --write-station-file "$work/full.xml" "$rows"
: >"$work/empty.xml"
"$bin/tallivor_bench" --write-station-file "$work/tabs.xml" 600
"$bin/tallivor_bench" --write-tabs-file "$work/tabs/tallivor-tabs.csv" 600 200
printf '\xEF\xBB\xBFproduct,price,stock\r\nCola,1.5,\r\n' >"$work/tabs/tallivor-products.csv"

# One start: the station file laid anew, then the milliseconds until the window is mapped.
start_once() {
    cp "$work/$1.xml" "$work/$1/tallivor.xml"
    if ! "$bin/tallivor_mapwatch" --name Tallivor --timeout 60 -- "$work/$1/Tallivor"; then
        kill -0 "$xvfb_pid" 2>/dev/null || echo "startup.sh: Xvfb is gone: it was ended from outside" >&2
        return 1
    fi
}

start_once full >/dev/null
start_once empty >/dev/null
full=() empty=() difference=()
for _ in $(seq "$runs"); do
    f=$(start_once full)
    e=$(start_once empty)
    full+=("$f")
    empty+=("$e")
    difference+=("$(python3 -c "print($f - $e)")")
done

tabs=()
for _ in $(seq "$runs"); do
    tabs+=("$(start_once tabs)")
done
python3 "$here/summary.py" series "start-up to mapped window, 1,000 items on open tabs" 600 ms 100 "${tabs[@]}"
python3 "$here/summary.py" series "start-up to mapped window, $rows-row station file" "$rows" ms - "${full[@]}"
python3 "$here/summary.py" series "start-up to mapped window, empty station file" 0 ms - "${empty[@]}"
medians=$(python3 -c "import statistics, sys; a = sys.argv[1:]; n = len(a) // 2
print(f'{statistics.median(map(float, a[:n])) - statistics.median(map(float, a[n:])):.1f}')" "${full[@]}" "${empty[@]}")
python3 "$here/summary.py" series "start-up: $rows rows minus empty (run by run)" "$rows" ms 150 \
    --note "difference of the medians: $medians ms" "${difference[@]}"
