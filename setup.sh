#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine for Tallivor and then either starts the program or runs every test.
#   ./setup.sh start   install what is missing, build, start Tallivor
#   ./setup.sh test    install what is missing, build, run every test
# Both can be run again at any time: packages already present are not touched and the build is incremental.
set -euo pipefail
cd "$(dirname "$0")"

case "${1:-}" in
start)
    scripts/install-packages.sh build
    cmake --preset release >/dev/null
    cmake --build --preset release
    exec build/release/bin/Tallivor
    ;;
test)
    scripts/install-packages.sh build test
    cmake --preset dev -DTALLIVOR_WERROR="${TALLIVOR_WERROR:-OFF}"
    cmake --build --preset dev
    ctest --preset dev
    ;;
*)
    echo "usage: $0 start|test" >&2
    exit 2
    ;;
esac
