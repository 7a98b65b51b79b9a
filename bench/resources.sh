#!/usr/bin/env bash
# CPU time and memory of the real Tallivor executable while 32,767 stations run: the average CPU use over a stretch
# of wall time (120 s by default), as a percentage of one core, and the peak resident memory (VmHWM) with the rows
# shown. The program runs on the offscreen platform in a temporary program folder and is ended with SIGTERM at the
# end (it saves its station file there, which is thrown away).
#
#   bench/resources.sh [BUILD_DIR]           BUILD_DIR defaults to build/bench
#   SECONDS_MEASURED=120 bench/resources.sh  length of the measured stretch
set -euo pipefail
script=resources.sh
source "$(dirname "$0")/common.sh"
measured=${SECONDS_MEASURED:-120}
require_built Tallivor tallivor_bench

pid=
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

cp "$bin/Tallivor" "$bin/English.xml" "$work/"
"$bin/tallivor_bench" --write-station-file "$work/tallivor.xml" "$rows"
mkdir -m 700 "$work/runtime"

# utime + stime of the process, in clock ticks. The command name may hold spaces: fields count from the last ")".
cpu_ticks() {
    local stat
    stat=$(<"/proc/$pid/stat")
    stat=${stat##*) }
    set -- $stat
    echo $((${12} + ${13}))
}
status_kb() {
    awk -v key="$1:" '$1 == key { print $2 }' "/proc/$pid/status"
}
now() {
    date +%s.%N
}
# Stops the measurement when the program is no longer running, saying how it ended.
require_running() {
    kill -0 "$pid" 2>/dev/null && return 0
    local status=0
    wait "$pid" 2>/dev/null || status=$?
    pid=
    if [ "$status" -gt 128 ]; then
        echo "resources.sh: Tallivor ended early, by signal $((status - 128)) (not sent by this script)" >&2
    else
        echo "resources.sh: Tallivor ended early with status $status" >&2
    fi
    cat "$work/output.log" >&2
    exit 1
}

QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8 XDG_RUNTIME_DIR="$work/runtime" \
    "$work/Tallivor" >"$work/output.log" 2>&1 &
pid=$!
tick=$(getconf CLK_TCK)

# Running means started up and settled: at least two seconds in, and less than a third of a core used in the last
# second (the load step alone takes far more). Give up after 60 s.
started=$(now)
previous=$(cpu_ticks)
for second in $(seq 60); do
    sleep 1
    require_running
    current=$(cpu_ticks)
    if [ "$second" -ge 2 ] && [ $((current - previous)) -lt $((tick / 3)) ]; then
        break
    fi
    previous=$current
done
settled=$(python3 -c "print(f'{$(now) - $started:.1f}')")

first_ticks=$(cpu_ticks)
first_time=$(now)
sleep "$measured"
require_running
last_ticks=$(cpu_ticks)
last_time=$(now)
hwm=$(status_kb VmHWM)
rss=$(status_kb VmRSS)

kill -TERM "$pid"
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "resources.sh: Tallivor did not end on SIGTERM within 10 s" >&2
fi
wait "$pid" 2>/dev/null || true
pid=

cpu=$(python3 -c "print(($last_ticks - $first_ticks) / $tick / ($last_time - $first_time) * 100)")
seconds=$(python3 -c "print(f'{$last_time - $first_time:.1f}')")
python3 "$here/summary.py" single "CPU while $rows stations run, average over ${measured} s" "$rows" % 1 "$cpu" \
    "$((last_ticks - first_ticks)) ticks of 1/$tick s in $seconds s; settled after $settled s"
python3 "$here/summary.py" single "peak resident memory (VmHWM), $rows rows shown" "$rows" MB 60 \
    "$(python3 -c "print($hwm * 1024 / 1e6)")" "VmHWM $hwm kB, VmRSS $rss kB at the end"
