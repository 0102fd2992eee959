#!/usr/bin/env bash
# Set-up for kirabilog on Debian: installs what the build needs when it is
# missing, configures, builds, and then starts the program or runs every test.
#
#   ./setup.sh run     build (release) and start the program
#   ./setup.sh test    format check, sanitizer tests, the plain tests, then a
#                      bounded run of every fuzz target
#   ./setup.sh bench   build (release) and run the benchmarks
#   ./setup.sh package build (release) the Debian package into build/package
#   ./setup.sh windows cross-build for 64-bit Windows: build/windows/dist/
#                      kirabilog-<version>-win64.zip and -setup.exe
#   ./setup.sh wine-scenario FILE.scn
#                      run one scenario through the Windows runner under Wine
set -euo pipefail
cd "$(dirname "$0")"

build_packages=(g++ cmake ninja-build qt6-base-dev qt6-charts-dev libbenchmark-dev clang-format
    qt6-translations-l10n libsodium-dev pkg-config)
# The fuzz targets are built with clang and its libFuzzer.
fuzz_packages=(clang libclang-rt-14-dev)
# The printing test reads its PDF back, which needs a Japanese font.
print_test_packages=(poppler-utils fonts-noto-cjk)
# The search benchmark runs the sqlite3 shell beside the program's search.
bench_packages=(sqlite3)
# Japanese fonts for a readable window; the tests do not need them.
run_packages=(fonts-noto-cjk)
# dpkg-shlibdeps names the libraries the packaged program needs.
package_packages=(dpkg-dev)
# The package test builds the package, validates its desktop entry and
# AppStream metadata, and has lintian check the whole of it.
package_test_packages=(dpkg-dev desktop-file-utils appstream lintian)
# The calendar test reads the exported deadlines with another parser.
calendar_test_packages=(python3 python3-icalendar)

# The Windows build: MinGW-w64, Wine to run its tests, NSIS for the
# installer, chmcmd for the help file, and the host Qt's tools and Japanese
# translations; the tests under Wine measure with the Japanese fonts.
windows_packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 nsis fp-utils
    qt6-base-dev-tools qt6-translations-l10n fonts-noto-cjk cmake ninja-build python3 xz-utils
    xvfb xauth)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

# The MinGW prefix with Qt and libsodium for Windows: the one named by
# KIRABILOG_MINGW_PREFIX; else the prebuilt one beside the project, unpacked
# once into the cache; else made once by the project's own recipe (about
# 40 minutes on two cores), which needs Qt Charts' source release.
mingw_prefix() {
    if [ -n "${KIRABILOG_MINGW_PREFIX:-}" ]; then
        echo "$KIRABILOG_MINGW_PREFIX"
        return
    fi
    local cache=${XDG_CACHE_HOME:-$HOME/.cache}/kirabilog/mingw-6.4.2
    local prefix=$cache/qt6-mingw
    if [ ! -f "$prefix/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
        local shared=../shared/toolchains
        local packed=$shared/qt6-mingw-6.4.2-x86_64-w64-mingw32.tar.xz
        mkdir -p "$cache"
        if [ -f "$packed" ]; then
            echo "Unpacking the MinGW prefix $packed into $cache" >&2
            tar -xJf "$packed" -C "$cache"
        else
            local charts=${KIRABILOG_QTCHARTS_SOURCE:-$shared/sources/qtcharts-everywhere-src-6.4.2.tar.xz}
            echo "Building the MinGW prefix into $cache (Qt Charts from $charts)" >&2
            PREFIX=$prefix W=$cache/work packaging/windows/build-mingw-prefix.sh --charts "$charts" >&2
        fi
    fi
    echo "$prefix"
}

windows_build() {
    install_missing "${windows_packages[@]}"
    KIRABILOG_MINGW_PREFIX=$(mingw_prefix)
    export KIRABILOG_MINGW_PREFIX
    cmake --preset windows >/dev/null
    cmake --build --preset windows
    cmake --build --preset windows --target windows_dist
}

format_check() {
    echo "Checking the formatting (clang-format)"
    git ls-files -- '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
}

case "${1:-}" in
    run)
        install_missing "${build_packages[@]}" "${run_packages[@]}"
        cmake --preset release >/dev/null
        cmake --build --preset release --target kirabilog
        exec ./build/release/src/kirabilog
        ;;
    test)
        install_missing "${build_packages[@]}" "${fuzz_packages[@]}" "${print_test_packages[@]}" \
            "${package_test_packages[@]}" "${calendar_test_packages[@]}" "${windows_packages[@]}"
        format_check
        build sanitize
        ctest --preset sanitize
        build debug
        ctest --preset debug
        build fuzz
        ctest --preset fuzz
        # The Windows build and its tests under Wine, the installer's among them.
        windows_build
        ctest --preset windows -j2
        ;;
    windows)
        windows_build
        realpath build/windows/dist/*
        ;;
    wine-scenario)
        [ $# -eq 2 ] || { echo "usage: $0 wine-scenario FILE.scn" >&2; exit 2; }
        scenario=$(realpath "$2")
        install_missing "${windows_packages[@]}"
        KIRABILOG_MINGW_PREFIX=$(mingw_prefix)
        export KIRABILOG_MINGW_PREFIX
        cmake --preset windows >/dev/null
        cmake --build --preset windows --target kirabilog-scenario
        # As CTest runs it: through wine-run, in an output folder of its own.
        output=build/windows/tests/scenario-output/wine-scenario
        mkdir -p "$output"
        cd "$output"
        exec ../../../wine-run ../../kirabilog-scenario.exe "$scenario"
        ;;
    bench)
        install_missing "${build_packages[@]}" "${bench_packages[@]}"
        build release
        for b in ./build/release/bench/bench_*; do "$b"; done
        ;;
    package)
        install_missing "${build_packages[@]}" "${package_packages[@]}"
        cmake --preset release >/dev/null
        cmake --build --preset release --target kirabilog
        rm -f build/package/kirabilog_*.deb
        cpack --config build/release/CPackConfig.cmake -B build/package
        realpath build/package/kirabilog_*.deb
        ;;
    *)
        echo "usage: $0 run | test | bench | package | windows | wine-scenario FILE.scn" >&2
        exit 2
        ;;
esac
