#!/usr/bin/env bash
# Regenerates the application icon's PNG sizes and the Windows .ico from resources/icon/tallivor.svg.
# The generated files are kept in the repository, so a build never needs this script or rsvg-convert.
#   scripts/make-icons.sh
# Installs what it needs (rsvg-convert and python3) when missing.
set -euo pipefail
cd "$(dirname "$0")/.."

source_svg=resources/icon/tallivor.svg
png_dir=resources/icon/png
ico=resources/icon/tallivor.ico
sizes=(16 24 32 48 64 72 96 128 256)

scripts/install-packages.sh icons

mkdir -p "$png_dir"
pngs=()
for size in "${sizes[@]}"; do
    png="$png_dir/tallivor-$size.png"
    rsvg-convert --width="$size" --height="$size" --format=png --output="$png" "$source_svg"
    pngs+=("$png")
done

python3 scripts/pack-ico.py "$ico" "${pngs[@]}"
# Read the icon back: every entry must hold the image its directory promises.
python3 scripts/pack-ico.py --list "$ico"
