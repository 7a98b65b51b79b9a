#!/usr/bin/env bash
# Proves the Windows calls of src/ui/Win32Shell.cpp on Linux: cross-compiles tests/win32/win32_shell_test.cpp with
# mingw-w64 and runs it under wine, headless, as Tallivor.exe.
#   scripts/windows-proof.sh
# Installs the Debian packages it needs when they are missing (sudo when not root), builds into
# build/windows-proof/ (ignored by git) and keeps its throwaway wine prefix there too. It can be run again at any
# time; every step is bounded by `timeout`. Exits 0 when every run passed, else with the status of the first
# failing step.
set -euo pipefail
cd "$(dirname "$0")/.."

out=build/windows-proof
cxx=x86_64-w64-mingw32-g++
flags=(-std=c++20 -Isrc -O1 -Wall -Wextra -Wpedantic -Werror)

step() { printf '\n== %s\n' "$*"; }

step "packages"
scripts/install-packages.sh windows
"$cxx" --version | sed -n 1p
WINEDEBUG=-all wine --version

step "build"
mkdir -p "$out"
# The platform file on its own, as strict as the project's own targets get.
timeout 300 "$cxx" "${flags[@]}" -c src/ui/Win32Shell.cpp -o "$out/Win32Shell.o"
# The test, linked statically so that wine needs no mingw runtime DLLs.
timeout 300 "$cxx" "${flags[@]}" -static -static-libgcc -static-libstdc++ \
    tests/win32/win32_shell_test.cpp "$out/Win32Shell.o" -o "$out/win32_shell_test.exe" -lshell32
echo "built $out/win32_shell_test.exe"

step "wine prefix"
export WINEPREFIX="$PWD/$out/prefix"
export WINEDEBUG=-all
# No Mono or Gecko (they would want a download and a dialog), and no menu entries or file associations written
# into the home folder.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
# Headless: wine runs console programs without any display; an inherited one that is gone would only get in the way.
unset DISPLAY WAYLAND_DISPLAY
# Leftovers of an earlier, interrupted run of this script must not hold the prefix.
timeout 30 wineserver -k 2>/dev/null || true
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
    timeout 300 wineboot -i >/dev/null 2>&1 || true
    timeout 120 wineserver -w || true
    [ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot did not create $WINEPREFIX" >&2; exit 1; }
    echo "created $WINEPREFIX"
else
    echo "reusing $WINEPREFIX"
fi

# Every run puts the test where Tallivor would lie, under Tallivor's own file name, and says which folder that is.
status=0
prove() { # <unix folder> <windows form of that folder> [arguments...]
    local folder=$1 windows=$2 rc=0
    shift 2
    local exe="${windows%\\}\\Tallivor.exe"
    step "run: $exe${*:+$(printf ' %q' "$@")}"
    cp "$out/win32_shell_test.exe" "$folder/Tallivor.exe"
    rm -f "$folder/relaunch-record.txt" "$folder/relaunch-record.txt.part"
    TALLIVOR_PROOF_FOLDER="$windows" timeout 180 wine "$exe" "$@" </dev/null || rc=$?
    echo "exit status: $rc"
    # A failed run may leave copies behind: end everything in this prefix before the next run.
    [ "$rc" -eq 0 ] || timeout 30 wineserver -k 2>/dev/null || true
    [ "$status" -eq 0 ] && status=$rc
    return 0
}

# A folder with a blank in its name, reached through wine's Z: drive, and the root of drive C:; each with arguments
# that need quoting and with none.
board="$PWD/$out/run/Station Board"
mkdir -p "$board"
board_win=$(timeout 60 winepath -w "$board")
args=(alpha "two words" $'tab\tinside' 'C:\Cafe\stations.txt' -x)
prove "$board" "$board_win" "${args[@]}"
prove "$board" "$board_win"
prove "$WINEPREFIX/drive_c" 'C:\' "${args[@]}"
prove "$WINEPREFIX/drive_c" 'C:\'

timeout 60 wineserver -w || true
timeout 30 wineserver -k 2>/dev/null || true

if [ "$status" -eq 0 ]; then
    echo; echo "windows-proof: all runs passed"
else
    echo; echo "windows-proof: FAILED (status $status)" >&2
fi
exit "$status"
