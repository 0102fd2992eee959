#!/usr/bin/env bash
# Set-up for kirabilog on Debian: installs what the build needs when it is
# missing, configures, builds, and then starts the program or runs every test.
#
#   ./setup.sh run     build (release) and start the program
#   ./setup.sh test    format check, sanitizer tests, the plain tests, then a
#                      bounded run of every fuzz target
#   ./setup.sh bench   build (release) and run the benchmarks
#   ./setup.sh package build (release) the Debian package into build/package
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
# The package test builds the package and validates its desktop entry and
# AppStream metadata.
package_test_packages=(dpkg-dev desktop-file-utils appstream)
# The calendar test reads the exported deadlines with another parser.
calendar_test_packages=(python3 python3-icalendar)

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
            "${package_test_packages[@]}" "${calendar_test_packages[@]}"
        format_check
        build sanitize
        ctest --preset sanitize
        build debug
        ctest --preset debug
        build fuzz
        ctest --preset fuzz
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
        echo "usage: $0 run | test | bench | package" >&2
        exit 2
        ;;
esac
