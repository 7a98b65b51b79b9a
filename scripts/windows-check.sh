#!/usr/bin/env bash
# Proves the Windows program and its packages on Linux, under wine:
#  1. builds the packages as on a fresh clone, with scripts/windows-package.sh: the real Tallivor.exe (windows-cross
#     preset: MinGW-w64 and the Qt for Windows kit), its program folder laid out with `cmake --install --strip`, the
#     installer (MSI) and the portable ZIP of that folder; first under a higher version (the patch number plus one)
#     for the upgrade below, then under this one, which relinks only the executable;
#  2. cross-compiles the proof of the Windows calls (tests/win32/win32_shell_test.cpp with src/ui/Win32Shell.cpp)
#     and runs it headless: the program folder and command-line tail it reports, and the relaunch through "runas"
#     with /admin appended (under wine IsUserAnAdmin answers yes, so Tallivor itself never takes that path);
#  3. unpacks the ZIP into temporary folders, one of them with a blank in its path, and starts Tallivor.exe there
#     on a virtual X server with a running station; lets it count for a few seconds; closes the window as its close
#     box does (WM_DELETE_WINDOW); and reads the station file written beside the exe: CR LF line ends, the running
#     station counted and charged, the stopped one untouched, the name in the system code page (cp1252: "Café" is
#     the single byte 0xE9) or, for a name the code page cannot hold, UTF-8 after a byte-order mark;
#  4. installs the MSI with `msiexec /i ... /qn`: every file of the program folder in C:\Program Files\Tallivor,
#     one entry among the installed products, per machine, with its publisher, version, web address and icon, and
#     the Start-menu shortcut; runs the installed Tallivor.exe as in 3, so that it saves its station file and ledger
#     in Program Files; installs the higher version over it (still one entry, the new exe, the station file and the
#     ledger untouched); and removes it with `msiexec /x ... /qn`: nothing left but the station file and the ledger.
#
#   scripts/windows-check.sh [--screenshot FILE]   also photographs the board under wine (the board of
#                                                  scripts/screenshot.sh) into FILE, e.g. docs/screenshot-windows.png
#
# Installs the Debian packages it needs when they are missing (sudo when not root). Builds into
# build/windows-cross/ (the packages in build/windows-cross/dist/) and keeps its throwaway wine prefix and run
# folders in build/windows-check/ (ignored by git). Every step is bounded by `timeout`. Exits 0 when every check
# passed, else non-zero after a message that says which check failed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

screenshot=
case "${1:-}" in
--screenshot) screenshot=$(realpath -m "${2:?--screenshot needs a file}") ;;
"") ;;
*)
    echo "usage: $0 [--screenshot FILE]" >&2
    exit 2
    ;;
esac

out=build/windows-check
program=build/windows-cross/Tallivor
dist=build/windows-cross/dist
cxx=x86_64-w64-mingw32-g++-posix
flags=(-std=c++20 -Isrc -O1 -Wall -Wextra -Wpedantic -Werror)
publisher="The Tallivor developers"

started=$SECONDS
step_started=$SECONDS
step() {
    printf '\n== %s\n' "$*"
    step_started=$SECONDS
}
took() { echo "($((SECONDS - step_started)) s)"; }
fail() {
    echo "windows-check: FAILED: $*" >&2
    exit 1
}

step "packages"
groups=(windows)
[ -n "$screenshot" ] && groups+=(screenshot)
scripts/install-packages.sh "${groups[@]}"
"$cxx" --version | sed -n 1p
WINEDEBUG=-all wine --version
took

version=$(sed -n 's/^project(Tallivor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
homepage=$(sed -n 's/^ *HOMEPAGE_URL "\([^"]*\)".*/\1/p' CMakeLists.txt)
[ -n "$version" ] && [ -n "$homepage" ] || fail "no project(Tallivor VERSION ... HOMEPAGE_URL ...) in CMakeLists.txt"
# Windows Installer compares the first three fields of a version.
IFS=. read -r major minor patch _ <<<"$version"
product_version=$major.$minor.$patch
upgrade_version=$major.$minor.$((patch + 1))

step "Tallivor.exe and its packages, $upgrade_version for the upgrade and then $product_version"
mkdir -p "$out"
rm -rf "$out/upgrade"
mkdir -p "$out/upgrade"
TALLIVOR_WERROR=ON timeout 2400 scripts/windows-package.sh --version "$upgrade_version" ||
    fail "packaging version $upgrade_version"
upgrade_msi=$out/upgrade/Tallivor-$upgrade_version-win64.msi
mv "$dist/Tallivor-$upgrade_version-win64.msi" "$upgrade_msi"
TALLIVOR_WERROR=ON timeout 2400 scripts/windows-package.sh || fail "packaging version $product_version"
msi=$dist/Tallivor-$product_version-win64.msi
zip=$dist/Tallivor-$product_version-win64.zip
[ -f "$msi" ] && [ -f "$zip" ] || fail "no $msi and $zip"
ls "$dist" | grep -qv "^Tallivor-$product_version-win64\.\(msi\|zip\)\$" && fail "more than the two packages in $dist"
for file in Tallivor.exe English.xml Persian.xml Italian.xml tallivor.ico Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll \
    platforms/qwindows.dll styles/qwindowsvistastyle.dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll \
    LICENSE.txt licenses/README.txt licenses/LGPL-3.0.txt licenses/GPL-3.0.txt licenses/Qt-third-party.txt \
    licenses/MinGW-w64-runtime.txt licenses/libsodium.txt licenses/build-qt-mingw.sh; do
    [ -f "$program/$file" ] || fail "$file is not in the program folder $program"
done
grep -q 'Subsystem.*(Windows GUI)' <<<"$(x86_64-w64-mingw32-objdump -p "$program/Tallivor.exe")" ||
    fail "Tallivor.exe is not a windowed (WIN32_EXECUTABLE) program"
while IFS= read -r -d '' binary; do
    x86_64-w64-mingw32-objdump -h "$binary" | grep -q '\.debug_' && fail "$binary still carries debug information"
done < <(find "$program" \( -name '*.exe' -o -name '*.dll' \) -print0)
# The resources as windres reads them back from the executable: the icon and the version information.
file_version() { x86_64-w64-mingw32-windres -J coff -i "$1" -O rc | sed -n 's/^ *FILEVERSION \(.*\)/\1/p'; }
resources=$(x86_64-w64-mingw32-windres -J coff -i "$program/Tallivor.exe" -O rc)
grep -q 'RT_GROUP_ICON' <<<"$resources" || fail "Tallivor.exe carries no icon"
grep -qF '"OriginalFilename", "Tallivor.exe"' <<<"$resources" &&
    [ "$(file_version "$program/Tallivor.exe")" = "${version//./, }" ] ||
    fail "Tallivor.exe carries no version resource $version"
echo "resources: the icon and the version information $version"
echo "program folder: $(find "$program" -type f | wc -l) files, $(du -sh "$program" | cut -f1), stripped"
echo "packages: $(du -h "$msi" | cut -f1) $(basename "$msi"), $(du -h "$zip" | cut -f1) $(basename "$zip")," \
    "and $(basename "$upgrade_msi") for the upgrade"
took

step "Windows calls: build the proof"
# The platform file on its own, as strict as the project's own targets get.
timeout 300 "$cxx" "${flags[@]}" -c src/ui/Win32Shell.cpp -o "$out/Win32Shell.o"
# The test, linked statically so that it needs no MinGW runtime DLLs beside it.
timeout 300 "$cxx" "${flags[@]}" -static -static-libgcc -static-libstdc++ \
    tests/win32/win32_shell_test.cpp "$out/Win32Shell.o" -o "$out/win32_shell_test.exe" -lshell32 -luser32 -lwinmm
echo "built $out/win32_shell_test.exe"
took

step "wine prefix"
export WINEPREFIX="$root/$out/prefix"
export WINEDEBUG=-all
# No Mono or Gecko (they would want a download and a dialog), and no menu entries or file associations written
# into the home folder.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
# wine takes the Windows locale, and so the system code page, from the Unix one: en-US and cp1252 here.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
# The prefix and the Windows calls' proof are headless; the board gets the virtual X server below.
unset DISPLAY WAYLAND_DISPLAY
# Leftovers of an earlier, interrupted run of this script must not hold the prefix.
timeout 30 wineserver -k 2>/dev/null || true
# A Tallivor that an interrupted run left installed would be one more among the installed products counted below.
if [ -f "$WINEPREFIX/system.reg" ] && grep -qF '"ProductName"="Tallivor"' "$WINEPREFIX/system.reg"; then
    echo "an earlier run left Tallivor installed: a new prefix"
    rm -rf "$WINEPREFIX"
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
    timeout 300 wineboot -i >/dev/null 2>&1 || true
    timeout 120 wineserver -w || true
    [ -f "$WINEPREFIX/system.reg" ] || fail "wineboot did not create $WINEPREFIX"
    echo "created $WINEPREFIX"
else
    echo "reusing $WINEPREFIX"
fi
codepage=$(timeout 60 wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP 2>/dev/null |
    tr -d '\r' | awk '$1 == "ACP" { print $3 }')
echo "system code page: ${codepage:-unknown}"
[ "$codepage" = 1252 ] || fail "wine's system code page is '${codepage}', the checks below expect 1252"
took

# Temporary program folders and the virtual X server go when the script ends, however it ends.
work=$(mktemp -d "$root/$out/run.XXXXXX")
xvfb=
cleanup() {
    timeout 30 wineserver -k 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

step "Windows calls: program folder, command-line tail and the relaunch through runas"
prove() { # <unix folder> <windows form of that folder> [arguments...]
    local folder=$1 windows=$2 rc=0
    shift 2
    local exe="${windows%\\}\\Tallivor.exe"
    echo "-- $exe${*:+$(printf ' %q' "$@")}"
    cp "$out/win32_shell_test.exe" "$folder/Tallivor.exe"
    rm -f "$folder/relaunch-record.txt" "$folder/relaunch-record.txt.part"
    TALLIVOR_PROOF_FOLDER="$windows" timeout 180 wine "$exe" "$@" </dev/null || rc=$?
    rm -f "$folder/Tallivor.exe" "$folder/relaunch-record.txt"
    [ "$rc" -eq 0 ] || fail "the Windows calls' proof as $exe (exit status $rc)"
}
# A folder with a blank in its name, reached through wine's Z: drive, and the root of drive C:; each with arguments
# that need quoting and with none.
board="$work/Station Board"
mkdir -p "$board"
board_win=$(timeout 60 winepath -w "$board")
args=(alpha "two words" $'tab\tinside' 'C:\Cafe\stations.txt' -x)
prove "$board" "$board_win" "${args[@]}"
prove "$board" "$board_win"
prove "$WINEPREFIX/drive_c" 'C:\' "${args[@]}"
prove "$WINEPREFIX/drive_c" 'C:\'
timeout 60 wineserver -w || true
took

step "virtual X server"
# Xvfb picks a free display itself and writes its number to the file.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.2
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
echo "DISPLAY=$DISPLAY"
took

# Lays out <folder> (named Tallivor) as an owner does with the portable package: the ZIP unpacked into its parent.
unpack() { # <folder>
    rm -rf "$1"
    mkdir -p "$(dirname "$1")"
    timeout 60 unzip -q "$zip" -d "$(dirname "$1")" || fail "unpacking $zip"
    [ -f "$1/Tallivor.exe" ] || fail "$(basename "$zip") does not unpack into a folder Tallivor holding Tallivor.exe"
    diff -r "$program" "$1" >/dev/null ||
        fail "$(basename "$zip") does not hold the program folder: $(diff -rq "$program" "$1" | head -5)"
}

# Writes the station file of <folder>: <lines...>, CR LF added, already in the file's encoding.
station_file() { # <folder> <lines...>
    local folder=$1
    shift
    printf '%s\r\n' "$@" >"$folder/tallivor.xml"
}

# Starts <folder>/Tallivor.exe, lets it count, closes its window as the close box does, and waits for it to end
# having saved.
run_board() { # <folder> <seconds to run>
    local folder=$1 seconds=$2
    echo "-- $(timeout 60 winepath -w "$folder")\\Tallivor.exe"
    # Started from another folder: the program must find and write its files beside itself.
    (cd "$work" && exec timeout 180 wine "$folder/Tallivor.exe" </dev/null >"$work/wine.log" 2>&1) &
    local app=$! rc=0 window
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Tallivor$' | head -n 1) || true
    if [ -z "$window" ]; then
        cat "$work/wine.log" >&2
        fail "no window titled Tallivor appeared within 60 s"
    fi
    # wine puts its pointer in the middle of the screen, over a list row, which the Windows styles light up: it
    # rests on the board's empty top strip instead.
    timeout 10 xdotool mousemove --window "$window" 300 8
    sleep "$seconds"
    kill -0 "$app" 2>/dev/null || fail "Tallivor.exe ended by itself while it should be counting"
    if [ -n "${photo:-}" ]; then
        mkdir -p "$(dirname "$photo")"
        timeout 30 import -window "$window" "$photo" || fail "taking the screenshot"
        echo "wrote $photo"
    fi
    timeout 30 python3 scripts/close-window.py "$window" || fail "closing the window"
    for _ in $(seq 100); do
        kill -0 "$app" 2>/dev/null || break
        sleep 0.2
    done
    kill -0 "$app" 2>/dev/null && fail "Tallivor.exe did not end within 20 s of WM_DELETE_WINDOW"
    wait "$app" || rc=$?
    [ "$rc" -eq 0 ] || { cat "$work/wine.log" >&2; fail "Tallivor.exe ended with status $rc"; }
    [ -e "$work/tallivor.xml" ] && fail "the station file went to the working folder"
    return 0
}

# Reads the station file the run left and checks it: <folder> <encoding: cp1252 or utf-8-bom> <running station's
# name> <time it started from, m:ss> <most seconds it may have counted>.
check_file() {
    timeout 30 python3 - "$@" <<'EOF'
import re, sys
folder, encoding, name, start, most = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4], int(sys.argv[5])
def fail(message):
    sys.exit(f"windows-check: FAILED: {folder}/tallivor.xml: {message}")
data = open(f"{folder}/tallivor.xml", "rb").read()
shown = data[:300]
if b"\n" in data.replace(b"\r\n", b"") or b"\r" in data.replace(b"\r\n", b"") or not data.endswith(b"\r\n"):
    fail(f"not CR LF line ends throughout: {shown!r}")
bom = b"\xef\xbb\xbf"
if encoding == "cp1252":
    if data.startswith(bom):
        fail(f"a byte-order mark, yet the code page holds the name: {shown!r}")
    if name.encode("cp1252") not in data or name.encode("utf-8") in data:
        fail(f"the name {name!r} is not written in the code page (expected {name.encode('cp1252')!r}): {shown!r}")
    text = data.decode("cp1252")
else:
    if not data.startswith(bom):
        fail(f"no UTF-8 byte-order mark for a name the code page cannot hold: {shown!r}")
    text = data[3:].decode("utf-8")
lines = text.split("\r\n")[:-1]
if len(lines) != 3 or lines[0] != "10,English.xml" or lines[2] != "Stop,PC 02,3:0,30":
    fail(f"unexpected lines {lines!r}")
match = re.fullmatch(rf"Start,{re.escape(name)},(\d+):(\d+),(\d+)", lines[1])
if not match:
    fail(f"the running station's line is {lines[1]!r}")
minutes, seconds, charge = (int(g) for g in match.groups())
start_minutes, start_seconds = (int(p) for p in start.split(":"))
counted = minutes * 60 + seconds - (start_minutes * 60 + start_seconds)
if not 2 <= counted <= most:
    fail(f"the running station counted {counted} s from {start} (expected 2 to {most}): {lines[1]!r}")
if charge != 10 * (minutes - start_minutes):
    fail(f"charge {charge} after {minutes - start_minutes} completed minute(s) at 10 a minute: {lines[1]!r}")
print(f"ok: {encoding}, CR LF, {lines[1]!r} ({counted} s counted)")
EOF
}

step "Tallivor.exe from the ZIP under wine: count, close, save"
cafe=$'Caf\xe9'        # "Café" in cp1252, as the file on the counter PC holds it
# No code page of a Western Windows holds a Greek name: such a board is kept in UTF-8 after a byte-order mark, and
# must stay so when written back.
greek='Σταθμός 7'
bom=$'\xef\xbb\xbf'
for folder in "$work/Tallivor" "$work/Program Folder/Tallivor"; do
    unpack "$folder"
    station_file "$folder" "10,English.xml" "Start,$cafe,0:57,00" "Stop,PC 02,3:0,30"
    run_board "$folder" 5
    check_file "$folder" cp1252 "Café" 0:57 60 || exit 1
    unpack "$folder"
    station_file "$folder" "${bom}10,English.xml" "Start,$greek,0:57,00" "Stop,PC 02,3:0,30"
    run_board "$folder" 5
    check_file "$folder" utf-8-bom "$greek" 0:57 60 || exit 1
    rm -rf "$folder"
done
took

step "the installer under wine: install, run from Program Files, upgrade, uninstall"
installed="$WINEPREFIX/drive_c/Program Files/Tallivor"
# A finished run leaves its station file and ledger there, as an uninstall must: they go before this one starts.
rm -rf "$installed"
msi_run() { # </i or /x> <msi>
    echo "-- msiexec $1 $(basename "$2") /qn"
    timeout 300 wine msiexec "$1" "$(timeout 60 winepath -w "$2")" /qn || fail "msiexec $1 $2 /qn"
    timeout 120 wineserver -w || true
}
# The product codes of the installed products named Tallivor, one a line.
products() { timeout 60 wine uninstaller --list | tr -d '\r' | sed -n 's/^\({[-0-9A-F]*}\)|||Tallivor$/\1/p'; }
# Checks the one Tallivor among the installed products: <version>. Prints its product code.
check_product() {
    local codes code entry
    codes=$(products)
    [ "$(wc -w <<<"$codes")" -eq 1 ] || fail "not one Tallivor among the installed products: ${codes:-none}"
    code=$codes
    entry=$(timeout 60 wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$code" |
        tr -d '\r')
    value() { sed -n "s/^ *$1 \{2,\}REG_SZ \{2,\}//p" <<<"$entry"; }
    [ "$(value DisplayName)" = Tallivor ] && [ "$(value DisplayVersion)" = "$1" ] &&
        [ "$(value Publisher)" = "$publisher" ] && [ "$(value URLInfoAbout)" = "$homepage" ] ||
        fail "the entry among the installed programs is not Tallivor $1 by $publisher, $homepage: $entry"
    # Per machine: registered under HKLM, where Programs and Features takes the entry's icon from.
    local icon
    icon=$(timeout 60 wine reg query 'HKLM\Software\Classes\Installer\Products' /s | tr -d '\r' |
        sed -n 's/^ *ProductIcon *REG_SZ *//p')
    [ "$(wc -l <<<"$icon")" -eq 1 ] && [ -s "$(timeout 60 winepath -u "$icon")" ] ||
        fail "no icon for the entry among the installed programs (per machine): '$icon'"
    echo "$code"
}
file_list() { (cd "$1" && find . -type f | LC_ALL=C sort); }

msi_run /i "$msi"
[ -f "$installed/Tallivor.exe" ] || fail "no Tallivor.exe in C:\\Program Files\\Tallivor"
diff -r "$program" "$installed" >/dev/null ||
    fail "C:\\Program Files\\Tallivor does not hold the program folder: $(diff -rq "$program" "$installed" | head -5)"
code=$(check_product "$product_version") || exit 1
shortcut=$(find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Tallivor.lnk')
[ -n "$shortcut" ] || fail "no Tallivor.lnk in the Start menu"
strings -a "$shortcut" | grep -qxF 'C:\Program Files\Tallivor\Tallivor.exe' ||
    fail "the Start-menu shortcut does not start C:\\Program Files\\Tallivor\\Tallivor.exe"
strings -a -el "$shortcut" | grep -q "\\\\Installer\\\\$code\\\\tallivor.ico\$" ||
    fail "the Start-menu shortcut does not carry the program's icon"
echo "installed $product_version, $code: all $(file_list "$program" | wc -l) files, the entry, the shortcut"

station_file "$installed" "10,English.xml" "Start,$cafe,0:57,00" "Stop,PC 02,3:0,30"
run_board "$installed" 5
check_file "$installed" cp1252 "Café" 0:57 60 || exit 1
ls "$installed"/tallivor-ledger-*.csv >/dev/null 2>&1 || fail "no ledger beside the installed program"
# What the program wrote there, with its sums: an upgrade and an uninstall must leave exactly these.
LC_ALL=C comm -13 <(file_list "$program") <(file_list "$installed") >"$work/written"
(cd "$installed" && xargs -d '\n' sha256sum) <"$work/written" >"$work/written.sha256"
echo "the installed program wrote: $(tr '\n' ' ' <"$work/written")"

msi_run /i "$upgrade_msi"
new_code=$(check_product "$upgrade_version") || exit 1
[ "$new_code" != "$code" ] || fail "the upgrade kept the product code $code"
[ "$(file_version "$installed/Tallivor.exe")" = "${upgrade_version//./, }, 0" ] ||
    fail "the upgrade did not replace Tallivor.exe: $(file_version "$installed/Tallivor.exe")"
(cd "$installed" && sha256sum --quiet -c "$work/written.sha256") || fail "the upgrade changed what the program wrote"
echo "upgraded to $upgrade_version, $new_code, in place of $code: station file and ledger untouched"

msi_run /x "$upgrade_msi"
[ -z "$(products)" ] || fail "Tallivor is still among the installed products: $(products)"
[ "$(file_list "$installed")" = "$(cat "$work/written")" ] ||
    fail "the uninstall left in C:\\Program Files\\Tallivor: $(file_list "$installed" | tr '\n' ' ')"
(cd "$installed" && sha256sum --quiet -c "$work/written.sha256") || fail "the uninstall changed what the program wrote"
[ -e "$shortcut" ] && fail "the uninstall left the Start-menu shortcut"
echo "removed: the program files gone, the station file and the ledger kept"
took

if [ -n "$screenshot" ]; then
    step "screenshot under wine"
    # The board of scripts/screenshot.sh, for comparison with docs/screenshot.png.
    unpack "$work/Screenshot/Tallivor"
    station_file "$work/Screenshot/Tallivor" "10,English.xml" \
        "Start,PC 01 (window),42:17,420" \
        "Stop,PC 02,15:0,150" \
        "Start,PC 03 console,7:58,70" \
        "Start,PC 04,93:5,930" \
        "Stop,VR corner,0:00,00" \
        "Start,PC 06,1:30,10"
    photo=$screenshot run_board "$work/Screenshot/Tallivor" 2.5
    took
fi

timeout 60 wineserver -w || true
echo
echo "windows-check: all checks passed ($((SECONDS - started)) s)"
