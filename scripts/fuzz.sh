#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/) with clang, libFuzzer and the address and undefined-behaviour sanitizers into
# build/fuzz, then runs each target for a while on a scratch copy of its seed corpus.
#   scripts/fuzz.sh [seconds-per-target]     default 30
# Environment: FUZZ_TARGETS="station_file ledger" runs only those targets.
# Exits non-zero when a target finds a crash, a broken property, a leak or a time-out; the input that did it is saved
# under build/fuzz/run/<target>/artifacts/ and its path is printed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
    echo "usage: $0 [seconds-per-target]" >&2
    exit 2
fi

scripts/install-packages.sh build fuzz

build=build/fuzz
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"

read -r -a targets <<<"${FUZZ_TARGETS:-station_file language_file ledger}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=()
for target in "${targets[@]}"; do
    run="$build/run/$target"
    # New corpus entries go to the scratch copy, never into the repository.
    rm -rf "$run"
    mkdir -p "$run/artifacts"
    cp -r "fuzz/corpus/$target" "$run/corpus"
    echo "== $target: ${seconds}s"
    status=0
    # libFuzzer stops itself after max_total_time; the outer limit only guards against a run that hangs anyway.
    timeout --kill-after=30 $((seconds + 120)) "$build/fuzz_$target" "$run/corpus" \
        -max_total_time="$seconds" -max_len=65536 -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$run/artifacts/" >"$run/log" 2>&1 || status=$?
    executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/log" | tail -n 1)
    echo "$target: ${executed:-?} inputs executed"
    if [ "$status" -ne 0 ]; then
        failed+=("$target")
        echo "--- $target failed; the end of its log ($run/log):"
        tail -n 40 "$run/log"
        ls "$run"/artifacts/* 2>/dev/null | sed 's/^/--- input that failed: /' || true
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzzing found problems in: ${failed[*]}" >&2
    exit 1
fi
