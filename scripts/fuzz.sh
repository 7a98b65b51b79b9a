#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/) with clang, libFuzzer and the address and undefined-behaviour sanitizers into
# build/fuzz, then runs each target for a while on a scratch copy of its seed corpus (new inputs stay out of the
# repository). Exits non-zero when a target finds a crash, a broken property, a leak or a time-out; the input that did
# it is saved under build/fuzz/run/<target>/artifacts/, the log beside it.
#   scripts/fuzz.sh [seconds-per-target]     default 30; FUZZ_TARGETS="station_file ledger" runs only those targets
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
[[ "$seconds" =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [seconds-per-target]" >&2; exit 2; }

scripts/install-packages.sh build fuzz
build=build/fuzz
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=()
for target in ${FUZZ_TARGETS:-station_file language_file ledger}; do
    run="$build/run/$target"
    rm -rf "$run" && mkdir -p "$run/artifacts" && cp -r "fuzz/corpus/$target" "$run/corpus"
    echo "== $target: ${seconds}s"
    # libFuzzer stops itself after max_total_time; the outer limit only guards against a run that hangs anyway.
    timeout --kill-after=30 $((seconds + 120)) "$build/fuzz_$target" "$run/corpus" -max_total_time="$seconds" \
        -max_len=65536 -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$run/artifacts/" \
        >"$run/log" 2>&1 || { failed+=("$target") && tail -n 40 "$run/log"; }
    sed -n 's/^stat::number_of_executed_units: */inputs executed: /p' "$run/log"
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzzing found problems in: ${failed[*]}" >&2; exit 1; }
