#!/usr/bin/env bash
# Builds the Windows packages of Tallivor on Debian, from a clean clone, into build/windows-cross/dist/, and prints
# their paths:
#   Tallivor-<version>-win64.msi   the installer: per machine into Program Files\Tallivor, a Start-menu shortcut and
#                                  an entry among the installed programs; a newer one replaces an older one
#   Tallivor-<version>-win64.zip   the same program folder, as Tallivor\, for those who cannot run an installer
#
#   scripts/windows-package.sh [--version X.Y.Z]   --version builds these sources as X.Y.Z instead of the version
#                                                  project() names in CMakeLists.txt (the Windows check packages a
#                                                  higher one to prove an upgrade)
#   TALLIVOR_WERROR=ON scripts/windows-package.sh  with compiler warnings as errors, as CI builds
#
# Configures and builds the windows-cross preset (MinGW-w64 and the Qt for Windows kit, cmake/MinGWCross.cmake) and
# lays out the program folder build/windows-cross/Tallivor afresh with `cmake --install --strip`: the executable and
# every DLL stripped of debug information, the licence texts beside them. wixl-heat then lists that folder for the
# installer, so a file the install step lays out later is packaged without a change here, and wixl (msitools)
# builds the installer from resources/windows/tallivor.wxs and that list. Installs the Debian packages it needs when
# they are missing (the windows group of scripts/packages.txt).
set -euo pipefail
cd "$(dirname "$0")/.."

version=
case "${1:-}" in
--version) version=${2:?--version needs X.Y.Z} ;;
"") ;;
*)
    echo "usage: $0 [--version X.Y.Z]" >&2
    exit 2
    ;;
esac

build=build/windows-cross
program=$build/Tallivor
dist=$build/dist
work=$build/windows-package
fail() {
    echo "windows-package: FAILED: $*" >&2
    exit 1
}
started=$SECONDS

scripts/install-packages.sh windows
mkdir -p "$work"
# An empty TALLIVOR_VERSION builds project()'s version, so a build folder left at another one comes back.
timeout 300 cmake --preset windows-cross -DTALLIVOR_WERROR="${TALLIVOR_WERROR:-OFF}" -DTALLIVOR_VERSION="$version" \
    >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; fail "configuring the windows-cross preset"; }
timeout 1800 cmake --build --preset windows-cross -j "$(nproc)" || fail "building Tallivor.exe"
# A fresh folder: a file an earlier install or run left there must not end up in a package.
rm -rf "$program"
timeout 300 cmake --install "$build" --strip >"$work/install.log" || fail "installing into $program"

# The product's facts as CMake worked them out from project() (and --version): version, publisher, web address.
cpack_value() { sed -n "s/^set($1 \"\\(.*\\)\")\$/\\1/p" "$build/CPackConfig.cmake"; }
product_version=$(cpack_value CPACK_PACKAGE_VERSION)
publisher=$(cpack_value CPACK_PACKAGE_VENDOR)
homepage=$(cpack_value CPACK_PACKAGE_HOMEPAGE_URL)
[ -n "$product_version" ] && [ -n "$publisher" ] && [ -n "$homepage" ] ||
    fail "no version, vendor or web address in $build/CPackConfig.cmake"
[ -z "$version" ] || [ "$product_version" = "$version" ] ||
    fail "asked for version $version, but CMake configured $product_version"
name=Tallivor-$product_version-win64

rm -rf "$dist"
mkdir -p "$dist"
# wixl takes the files' paths relative to where it runs: from the build folder, the program folder is Tallivor/.
# wixl-heat opens a directory element whenever the folder of the next file differs from the last one's, so the
# files come grouped by folder, those directly in Tallivor/ first.
(
    cd "$build"
    { find Tallivor/ -maxdepth 1 -type f | LC_ALL=C sort; find Tallivor/ -mindepth 2 -type f | LC_ALL=C sort; } |
        wixl-heat -p Tallivor/ --directory-ref INSTALLDIR --component-group ProgramFolderFiles \
            --var var.SourceDir --win64 >windows-package/files.wxs
    timeout 300 wixl -a x64 -o "dist/$name.msi" -D Version="$product_version" -D Manufacturer="$publisher" \
        -D HomepageUrl="$homepage" -D Icon=Tallivor/tallivor.ico -D SourceDir=Tallivor -D Win64=yes \
        ../../resources/windows/tallivor.wxs windows-package/files.wxs
    timeout 300 zip -q -r -X "dist/$name.zip" Tallivor
) || fail "packaging $program"

echo "windows-package: program folder $program: $(find "$program" -type f | wc -l) files," \
    "$(du -sb "$program" | cut -f1) bytes; packages in $((SECONDS - started)) s:"
for file in "$dist/$name.msi" "$dist/$name.zip"; do
    echo "$PWD/$file"
done
