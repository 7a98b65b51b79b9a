#!/usr/bin/env bash
# Rebuilds the Qt for Windows kit: Qt 6.4.2 (the version of Debian 12's qt6-base-dev) cross-built for x86_64
# Windows with Debian's MinGW-w64 (posix threads), from Debian's own qt6-base source package. About an hour on two
# cores. Only needed to change the kit; the project's builds use the tarball as it is.
#   scripts/build-qt-mingw.sh [workdir]     (writes workdir/qt-6.4.2-mingw-x86_64.tar.xz)
set -euo pipefail
work=${1:-/tmp/qt-mingw-build}
mkdir -p "$work" && cd "$work"
apt-get install -y -qq --no-install-recommends g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
    qt6-base-dev qt6-base-dev-tools cmake ninja-build xz-utils >/dev/null

# Debian's source package, through a private source list (the machine's own lists stay as they are).
sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > debsrc.sources
mkdir -p lists/partial
apt-get -o Dir::Etc::SourceList="$work/debsrc.sources" -o Dir::Etc::SourceParts=/dev/null \
    -o Dir::State::Lists="$work/lists" update -qq
apt-get -o Dir::Etc::SourceList="$work/debsrc.sources" -o Dir::Etc::SourceParts=/dev/null \
    -o Dir::State::Lists="$work/lists" source --download-only qt6-base=6.4.2+dfsg-10
tar xf qt6-base_6.4.2+dfsg.orig.tar.xz
# Two mends the Debian tarball needs for this configuration: the windows plugin tests dynamicgl without opengl, and
# the tablet support needs wintab.h, which Debian's repack removes (so tablet events are off).
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
    qtbase-everywhere-src-6.4.2/src/plugins/platforms/windows/qwindowswindow.cpp

cat > mingw-posix.cmake <<'TC'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TC

cmake -S qtbase-everywhere-src-6.4.2 -B build -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$work/mingw-posix.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
  -DCMAKE_INSTALL_PREFIX="$work/qt-6.4.2-mingw-x86_64" -DCMAKE_BUILD_TYPE=Release \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_concurrent=OFF \
  -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
  -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_icu=OFF -DFEATURE_tabletevent=OFF \
  -DFEATURE_printsupport=ON
cmake --build build --parallel "$(nproc)"
cmake --install build
x86_64-w64-mingw32-strip --strip-unneeded "$work"/qt-6.4.2-mingw-x86_64/bin/*.dll \
    "$work"/qt-6.4.2-mingw-x86_64/plugins/*/*.dll
tar cJf qt-6.4.2-mingw-x86_64.tar.xz qt-6.4.2-mingw-x86_64
echo "$work/qt-6.4.2-mingw-x86_64.tar.xz"
