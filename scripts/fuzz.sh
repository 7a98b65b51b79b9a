#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/) with clang, libFuzzer and the address and undefined-behaviour sanitizers into
# build/fuzz, then runs each target for a while on a scratch copy of its seed corpus.
#   scripts/fuzz.sh [seconds-per-target]     default 30
# Environment: FUZZ_TARGETS="numbers clock_row" runs only those targets.
# Exits non-zero when a target finds a crash, a broken property, a leak or a time-out; the input that did it is saved
# under build/fuzz/run/<target>/ and its path is printed.
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

read -r -a targets <<<"${FUZZ_TARGETS:-station_file language_file numbers clock_row ledger}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

# The line counters of both files stop at 32,767. Reaching that takes a file longer than the fuzzer grows its inputs to
# in a short run, and mutating such a file would slow the run down a hundredfold, so one is made here and run once
# before fuzzing rather than kept in the corpus.
many_lines_file() {
    local first last
    case "$1" in
    station_file) first='10,English.xml\r' last='Start,PC-99,1:2,3\r\n' ;;
    language_file) first='heading\r' last='Unit=$\r\n' ;;
    *) return 0 ;;
    esac
    { printf "%b" "$first"; head -c 32800 /dev/zero | tr "\\0" "\\r"; printf "%b" "$last"; } >"$2"
}

failed=()
summary=()
for target in "${targets[@]}"; do
    binary="$build/fuzz_$target"
    run="$build/run/$target"
    # New corpus entries go to the scratch copy, never into the repository.
    rm -rf "$run"
    mkdir -p "$run/artifacts"
    cp -r "fuzz/corpus/$target" "$run/corpus"
    echo "== $target: ${seconds}s"
    long_status=0
    many_lines_file "$target" "$run/many_lines"
    if [ -e "$run/many_lines" ]; then
        "$binary" "$run/many_lines" >"$run/many_lines.log" 2>&1 || long_status=$?
    fi
    if [ "$long_status" -ne 0 ]; then
        echo "--- $target failed on a file of 32,802 lines ($run/many_lines):"
        grep -A 3 'property broken\|ERROR' "$run/many_lines.log" | head -n 20
    fi

    fuzz_status=0
    # libFuzzer stops itself after max_total_time; the outer limit only guards against a run that hangs anyway.
    timeout --kill-after=30 $((seconds + 120)) "$binary" "$run/corpus" \
        -max_total_time="$seconds" -max_len=65536 -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$run/artifacts/" >"$run/log" 2>&1 || fuzz_status=$?
    if [ "$fuzz_status" -ne 0 ]; then
        echo "--- $target failed; the end of its log ($run/log):"
        tail -n 40 "$run/log"
        for artifact in "$run"/artifacts/*; do
            [ -e "$artifact" ] && echo "--- input that failed: $artifact"
        done
    fi

    executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/log" | tail -n 1)
    line=$(printf '%-14s %12s inputs executed' "$target" "${executed:-?}")
    if [ "$long_status" -ne 0 ] || [ "$fuzz_status" -ne 0 ]; then
        failed+=("$target")
        line="$line   FAILED"
    fi
    echo "$line"
    summary+=("$line")
done

echo "== summary"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzzing found problems in: ${failed[*]}" >&2
    exit 1
fi
