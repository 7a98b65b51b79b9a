#!/usr/bin/env bash
# Installs the Debian packages of the given groups of scripts/packages.txt that are not installed yet.
#   scripts/install-packages.sh build test ...
# Packages already present are not touched; sudo is used when not run as root.
set -euo pipefail
list="$(dirname "$0")/packages.txt"

# A package that two of the groups need is named once.
wanted=$(awk -v groups=" $* " '!/^#/ && NF == 2 && index(groups, " " $1 " ") && !seen[$2]++ { print $2 }' "$list")
missing=()
for pkg in $wanted; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" timeout 600 apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    timeout 1800 apt-get install -y -qq --no-install-recommends "${missing[@]}"
