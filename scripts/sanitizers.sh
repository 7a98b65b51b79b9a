#!/usr/bin/env bash
# Builds everything with the address and undefined-behaviour sanitizers and runs the whole test suite, with
# LeakSanitizer on: any leak, bad access or undefined behaviour fails the run.
#   scripts/sanitizers.sh
# The crash test and the wall-clock test are left to the normal build: they preload a time library into the
# program, which the address sanitizer's runtime does not allow.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh build test
cmake --preset asan
cmake --build --preset asan
ctest --preset asan --exclude-regex "crash_test|wall_test"
