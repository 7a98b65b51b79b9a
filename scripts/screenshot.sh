#!/usr/bin/env bash
# Takes docs/screenshot.png, the real main window with a few stations on it, and docs/report.png, its report window
# over a day of the ledger, under a virtual X server.
#   scripts/screenshot.sh [build folder, default build/dev]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
scripts/install-packages.sh screenshot

folder=$(mktemp -d)
display=:$((90 + RANDOM % 9))
cleanup() {
    [ -n "${app:-}" ] && kill -TERM "$app" 2>/dev/null && wait "$app" 2>/dev/null
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$folder"
}
trap cleanup EXIT

cp "$build/bin/Tallivor" "$folder/"
for file in "$build"/bin/*.xml; do
    [ "$(basename "$file")" = tallivor.xml ] || cp "$file" "$folder/"
done
printf '%s\r\n' "10,English.xml" \
    "Start,PC 01 (window),42:17,420" \
    "Stop,PC 02,15:0,150" \
    "Start,PC 03 console,7:58,70" \
    "Start,PC 04,93:5,930" \
    "Stop,VR corner,0:00,00" \
    "Start,PC 06,1:30,10" >"$folder/tallivor.xml"
# A day of bills for the report: the benchmark writes a chained month file.
today=$(date +%F)
"$build/bin/tallivor_bench" --write-ledger "$folder/tallivor-ledger-${today:0:7}.csv" 150 "$today" "$today"

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
sleep 1
DISPLAY=$display "$folder/Tallivor" >/dev/null 2>&1 &
app=$!
window=$(DISPLAY=$display timeout 20 xdotool search --sync --name '^Tallivor$' | head -n 1)
sleep 2.5 # a couple of ticks of the clock
mkdir -p docs
DISPLAY=$display import -window "$window" docs/screenshot.png
echo "wrote docs/screenshot.png"

# The Report label-button lies at 6420, 600 twips, 1515 wide: its middle is at 478, 48 pixels.
DISPLAY=$display xdotool mousemove --window "$window" 478 48 click 1
report=$(DISPLAY=$display timeout 20 xdotool search --sync --name '^Tallivor: Report$' | head -n 1)
sleep 1
DISPLAY=$display import -window "$report" docs/report.png
echo "wrote docs/report.png"
