#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine for Tallivor and then either starts the program or runs every test.
#   ./setup.sh start   install what is missing, build, start Tallivor
#   ./setup.sh test    install what is missing, build, run every test
# Both can be run again at any time: packages already present are not touched and the build is incremental.
set -euo pipefail
cd "$(dirname "$0")"

# Installs the packages of the given groups (scripts/packages.txt) that are not installed yet.
install_missing() {
    local wanted missing=()
    wanted=$(awk -v groups=" $* " '!/^#/ && NF == 2 && index(groups, " " $1 " ") { print $2 }' scripts/packages.txt)
    for pkg in $wanted; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

case "${1:-}" in
start)
    install_missing build
    cmake --preset release >/dev/null
    cmake --build --preset release
    exec build/release/bin/Tallivor
    ;;
test)
    install_missing build test
    cmake --preset dev -DTALLIVOR_WERROR="${TALLIVOR_WERROR:-OFF}"
    cmake --build --preset dev
    ctest --preset dev
    ;;
*)
    echo "usage: $0 start|test" >&2
    exit 2
    ;;
esac
