#!/usr/bin/env bash
# Takes docs/screenshot.png, the real main window with a few stations on it, docs/report.png, its report window
# over a day of the ledger, docs/screenshot-till.png, the board with a tab beside its sell window, and
# docs/receipt.png, the bill window and the receipt it printed, under a virtual X server.
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
printf '\xef\xbb\xbf' >"$folder/tallivor-products.csv"
printf '%s\r\n' "product,price,stock" "Cola,1.5,24" "Coffee,2,," "Chips,2.5,12" "Headset for the evening,5," \
    >>"$folder/tallivor-products.csv"
printf '%s\r\n' "[General]" "receipt-name=Room 42" "receipt-address=Via Roma 1, Torino" >"$folder/tallivor-room.ini"
# A day of bills for the report: the benchmark writes a chained month file.
today=$(date +%F)
"$build/bin/tallivor_bench" --write-ledger "$folder/tallivor-ledger-${today:0:7}.csv" 150 "$today" "$today"
# The station file is newer than all of them: the start has nothing of the day's lines to bring onto the board.
touch -d "$today 23:59:59" "$folder/tallivor.xml"

Xvfb "$display" -screen 0 1440x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
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
DISPLAY=$display python3 scripts/close-window.py "$report"
sleep 0.5

# PC 02's row (the second) selected, then two colas and a headset on its tab through the sell window.
DISPLAY=$display xdotool mousemove --window "$window" 270 122 click 1
keys() { for key in "$@"; do DISPLAY=$display xdotool key "$key"; sleep 0.2; done; }
keys F4
DISPLAY=$display xdotool type --delay 40 cola && keys Return Return BackSpace BackSpace BackSpace BackSpace
DISPLAY=$display xdotool type --delay 40 head && keys Return
sleep 1.2
DISPLAY=$display import -window root "$folder/root.png"
convert "$folder/root.png" -trim +repage docs/screenshot-till.png
echo "wrote docs/screenshot-till.png"

# Escape gives the keyboard back to the board; its bill opens the bill window, F6 prints the receipt (a PDF here).
keys Escape ctrl+r ctrl+r
sleep 1
keys F6
sleep 1
bill=$(DISPLAY=$display timeout 20 xdotool search --sync --name '^Bill: ' | head -n 1)
DISPLAY=$display import -window "$bill" "$folder/bill.png"
pdf=$(ls "$folder"/tallivor-receipt-*.pdf | head -n 1)
pdftoppm -png -r 110 -singlefile "$pdf" "$folder/receipt"
convert "$folder/bill.png" "$folder/receipt.png" -background white -gravity north +append docs/receipt.png
echo "wrote docs/receipt.png"
