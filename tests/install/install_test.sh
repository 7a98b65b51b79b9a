#!/usr/bin/env bash
# Installs the build into a temporary prefix, starts the installed program offscreen, closes it the way a shutdown
# does, and checks that it wrote its station file beside itself; then checks the desktop entry script and the
# package archive.
#   install_test.sh <build folder> <cpack>
set -euo pipefail
build=$1
cpack=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "install_test: $*" >&2; exit 1; }

prefix="$work/Program Folder"
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in Tallivor English.xml Persian.xml Italian.xml tallivor.png tallivor.desktop install-desktop-entry.sh; do
    [ -e "$prefix/$file" ] || fail "$file is not in the program folder"
done
[ -e "$prefix/tallivor.xml" ] && fail "the station file exists before the first close"

# Start it from another working folder: the program must find and write its files beside itself.
cd "$work"
QT_QPA_PLATFORM=offscreen "$prefix/Tallivor" >/dev/null 2>&1 &
pid=$!
sleep 3
kill -0 "$pid" 2>/dev/null || fail "the installed program did not keep running"
kill -TERM "$pid"
wait "$pid" || true
[ -f "$prefix/tallivor.xml" ] || fail "no station file was written at the close"
[ "$(cat "$prefix/tallivor.xml")" = "$(printf '10,English.xml\r\n')" ] || fail "unexpected station file: $(od -c "$prefix/tallivor.xml" | head -3)"
[ -e "$work/tallivor.xml" ] && fail "the station file went to the working folder"

# The desktop entry points at this program folder.
XDG_DATA_HOME="$work/share" "$prefix/install-desktop-entry.sh" >/dev/null
entry="$work/share/applications/tallivor.desktop"
grep -qxF "Exec=\"$prefix/Tallivor\"" "$entry" || fail "desktop entry Exec: $(grep Exec "$entry")"
grep -qxF "Icon=$prefix/tallivor.png" "$entry" || fail "desktop entry Icon: $(grep Icon "$entry")"

# The package unpacks into one program folder with the same files.
"$cpack" --config "$build/CPackConfig.cmake" -B "$work/packages" >/dev/null
archive=$(ls "$work"/packages/Tallivor-*-Linux.tar.gz)
listing=$(tar -tzf "$archive")
for file in Tallivor English.xml Persian.xml Italian.xml tallivor.png tallivor.desktop; do
    grep -qE "^Tallivor-[0-9.]+-Linux/$file\$" <<<"$listing" || fail "$file is not in $(basename "$archive")"
done
echo "install_test: installed, started, closed and saved; package $(basename "$archive") complete"
