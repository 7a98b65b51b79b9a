#!/usr/bin/env bash
# Regenerates the application icon's PNG sizes and the Windows .ico from resources/icon/tallivor.svg.
# The generated files are kept in the repository, so a build never needs this script or rsvg-convert.
#   scripts/make-icons.sh
# Needs rsvg-convert (Debian package librsvg2-bin) and python3.
set -euo pipefail
cd "$(dirname "$0")/.."

source_svg=resources/icon/tallivor.svg
png_dir=resources/icon/png
ico=resources/icon/tallivor.ico
sizes=(16 24 32 48 64 72 96 128 256)

if ! command -v rsvg-convert >/dev/null; then
    echo "make-icons: rsvg-convert not found (install the Debian package librsvg2-bin)" >&2
    exit 1
fi

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
