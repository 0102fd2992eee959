#!/bin/bash
# Makes the MinGW prefix that the Windows build of kirabilog needs: Qt 6.4.2
# (qtbase from Debian's own source package, Qt Charts from the Qt project's
# source release) and libsodium 1.0.18 (Debian's source), built for
# x86_64-w64-mingw32 on Debian 12 with Debian's host Qt as QT_HOST_PATH.
#
#   PREFIX=/where/qt6-mingw build-mingw-prefix.sh --charts qtcharts-everywhere-src-6.4.2.tar.xz [step ...]
#
# steps: install sources qtbase charts sodium relocate pack (none: all but
# pack, in order). The prefix may be moved afterwards; ./setup.sh windows
# runs this once into its cache when no prefix is at hand. On two cores
# qtbase takes 25-40 minutes, Charts about 5, libsodium about 1.
set -euo pipefail
CHARTS_SOURCE=
if [ "${1:-}" = --charts ]; then
    CHARTS_SOURCE=$(realpath "$2")
    shift 2
fi
W=${W:-$PWD/mingw-work}
HERE=$(cd "$(dirname "$0")" && pwd)
PREFIX=${PREFIX:-$W/qt6-mingw}
JOBS=${JOBS:-2}
NICE="nice -n 19"
TARGET=x86_64-w64-mingw32
LOG=$W/logs; mkdir -p "$LOG" "$W/src" "$W/build"
APTO="-o Dir::Etc::sourcelist=$W/aptsrc/src.list -o Dir::Etc::sourceparts=- -o Dir::State::Lists=$W/aptsrc/lists"
stamp() { echo "[$(date +%T)] $*" | tee -a "$LOG/timings.txt"; }

step_install() {
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends \
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 \
    wine wine64 nsis msitools \
    cmake ninja-build pkgconf dpkg-dev xz-utils perl autoconf automake libtool git \
    qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-translations-l10n \
    fonts-wine xvfb xauth imagemagick fonts-noto-cjk
  # only the posix thread-model compiler is installed, so the x86_64-w64-mingw32-g++ alternative is -posix;
  # we still name the -posix binaries explicitly in the toolchain file.
}

step_sources() {
  # separate apt config for deb-src, /etc/apt untouched
  mkdir -p "$W/aptsrc/lists/partial"
  cat > "$W/aptsrc/src.list" <<'L'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security bookworm-security main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm-updates main
L
  apt-get $APTO update
  cd "$W/src"
  apt-get $APTO source --download-only qt6-base libsodium
  # qt6-charts: may 404 on a partial mirror; do not abort the whole script for it
  [ -d qt6-base-6.4.2+dfsg ] || dpkg-source -x qt6-base_6.4.2+dfsg-10.dsc
  [ -d libsodium-1.0.18 ] || dpkg-source -x libsodium_1.0.18-1+deb12u1.dsc
}

write_toolchain() {
  cat > "$W/mingw-toolchain.cmake" <<T
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER   /usr/bin/$TARGET-gcc-posix)
set(CMAKE_CXX_COMPILER /usr/bin/$TARGET-g++-posix)
set(CMAKE_RC_COMPILER  /usr/bin/$TARGET-windres)
set(CMAKE_AR /usr/bin/$TARGET-ar CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/$TARGET-ranlib CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH /usr/$TARGET $PREFIX)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
T
}

step_qtbase() {
  write_toolchain
  local B=$W/build/qtbase; [ "${KEEP_BUILD:-0}" = 1 ] || rm -rf "$B"; mkdir -p "$B"; cd "$B"
  stamp "qtbase configure start"
  $NICE cmake -G Ninja "$W/src/qt6-base-6.4.2+dfsg" \
    -DCMAKE_TOOLCHAIN_FILE="$W/mingw-toolchain.cmake" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_pkg_config=OFF \
    -DFEATURE_icu=OFF \
    -DFEATURE_dbus=OFF \
    -DFEATURE_network=OFF \
    -DFEATURE_sql=ON -DFEATURE_sql_sqlite=OFF -DFEATURE_sql_odbc=OFF -DFEATURE_sql_psql=OFF -DFEATURE_sql_mysql=OFF -DFEATURE_sql_ibase=OFF -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF \
    -DFEATURE_opengl_desktop=ON -DFEATURE_vulkan=OFF \
    -DFEATURE_direct2d=ON \
    -DFEATURE_tabletevent=OFF \
    -DFEATURE_zstd=OFF \
    -DFEATURE_androiddeployqt=OFF \
    -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF \
    -DFEATURE_harfbuzz=ON -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_widgets=ON -DFEATURE_printsupport=ON -DFEATURE_testlib=ON \
    > "$LOG/qtbase-configure.log" 2>&1
  stamp "qtbase configure end / build start"
  $NICE ninja -j"$JOBS" > "$LOG/qtbase-build.log" 2>&1
  stamp "qtbase build end / install start"
  $NICE ninja install > "$LOG/qtbase-install.log" 2>&1
  stamp "qtbase install end"
}


# ---------------------------------------------------------------- Qt Charts
step_charts() {
  # Debian serves the .dsc of qt6-charts but not its tarballs on these machines: the Qt project's own
  # source release of the same version lies beside this script.
  local S=$W/src/qtcharts-6.4.2
  [ -n "$CHARTS_SOURCE" ] && [ -f "$CHARTS_SOURCE" ] || {
    echo "Qt Charts' source release is needed: --charts qtcharts-everywhere-src-6.4.2.tar.xz" >&2
    exit 1
  }
  [ -d "$S" ] || tar -xJf "$CHARTS_SOURCE" -C "$W/src"
  local B=$W/build/qtcharts; rm -rf "$B"; mkdir -p "$B"; cd "$B"
  stamp "charts configure start"
  $NICE "$PREFIX/bin/qt-cmake" -G Ninja "$S" -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release \
     -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF > "$LOG/charts-configure.log" 2>&1
  stamp "charts configure end / build start"
  $NICE ninja -j"$JOBS" > "$LOG/charts-build.log" 2>&1
  $NICE ninja install > "$LOG/charts-install.log" 2>&1
  stamp "charts build+install end"
}

# ---------------------------------------------------------------- libsodium
step_sodium() {
  local B=$W/build/libsodium; rm -rf "$B"; mkdir -p "$B"
  stamp "libsodium autoreconf start"
  # Debian's orig tarball is a git snapshot without ./configure (debian/rules uses dh --with autoreconf)
  [ -x "$W/src/libsodium-1.0.18/configure" ] || (cd "$W/src/libsodium-1.0.18" && autoreconf -fi > "$LOG/sodium-autoreconf.log" 2>&1)
  cd "$B"
  stamp "libsodium configure start"
  $NICE "$W/src/libsodium-1.0.18/configure" --host=$TARGET --prefix="$PREFIX" \
     CC=$TARGET-gcc-posix --enable-shared --enable-static > "$LOG/sodium-configure.log" 2>&1
  stamp "libsodium configure end / build start"
  $NICE make -j"$JOBS" > "$LOG/sodium-build.log" 2>&1
  make install > "$LOG/sodium-install.log" 2>&1
  stamp "libsodium build+install end"
}

# ---------------------------------------------------------------- relocatable prefix
step_relocate() {
  # ship the mingw toolchain file inside the prefix and chainload it relatively
  sed -e "s|$PREFIX|\${CMAKE_CURRENT_LIST_DIR}/../..|" "$W/mingw-toolchain.cmake" > "$PREFIX/lib/cmake/mingw-toolchain.cmake"
  sed -i 's|^set(__qt_initially_configured_toolchain_file .*|set(__qt_initially_configured_toolchain_file "${CMAKE_CURRENT_LIST_DIR}/../mingw-toolchain.cmake")|' \
      "$PREFIX/lib/cmake/Qt6/qt.toolchain.cmake"
}

# ---------------------------------------------------------------- pack the prefix
step_pack() {
  cd "$W"
  stamp "pack start"
  tar -C "$W" -cf - qt6-mingw | $NICE xz -T2 -6 > "$W/qt6-mingw-6.4.2-x86_64-w64-mingw32.tar.xz"
  stamp "pack end"
  du -sb qt6-mingw | tee -a "$LOG/timings.txt"
  du -sh qt6-mingw | tee -a "$LOG/timings.txt"
  ls -l "$W/qt6-mingw-6.4.2-x86_64-w64-mingw32.tar.xz" | tee -a "$LOG/timings.txt"
}

case "${1:-all}" in
  all) for s in install sources qtbase charts sodium relocate; do "step_$s"; done ;;
  *) for s in "$@"; do "step_$s"; done ;;
esac
