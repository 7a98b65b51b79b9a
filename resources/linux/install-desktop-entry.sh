#!/bin/sh
# Adds Tallivor to the desktop's application menu of the current user, pointing at this program folder.
# Run it from the installed program folder (it lies beside the executable): ./install-desktop-entry.sh
set -eu
folder=$(cd "$(dirname "$0")" && pwd)
applications=${XDG_DATA_HOME:-$HOME/.local/share}/applications
mkdir -p "$applications"
sed -e "s|^Exec=.*|Exec=\"$folder/Tallivor\"|" -e "s|^Icon=.*|Icon=$folder/tallivor.png|" \
    "$folder/tallivor.desktop" >"$applications/tallivor.desktop"
echo "Added $applications/tallivor.desktop"
