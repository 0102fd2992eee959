#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks what a user gets:
# the files and nothing else, the dependencies, valid desktop metadata, and a
# program that starts from a folder it cannot write without writing there.
#
#   test_package.sh BUILD_DIR SOURCE_DIR PROGRAM
#
# PROGRAM is the built program, whose folder must hold the portable copy's icon.
#
# Exit status 77 (skipped) when a tool is missing; ./setup.sh test installs them.
set -uo pipefail

build=$(realpath "$1")
source=$(realpath "$2")
program_folder=$(dirname "$(realpath "$3")")
app_id=io.github.kirabilog.Kirabilog
icon_sizes=(16 24 32 48 64 128 256)

missing=()
for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli setpriv; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "SKIP: missing ${missing[*]} (Debian: dpkg-dev desktop-file-utils appstream)"
    exit 77
fi

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
# The program runs as an unprivileged user when we are root; it must reach
# the unpacked tree.
chmod 755 "$work"

# --- the package ------------------------------------------------------------
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack did not build the package"
    exit 1
fi
debs=("$work"/out/kirabilog_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    ls -l "$work/out"
    echo "FAIL: expected one kirabilog_*.deb"
    exit 1
fi
deb=${debs[0]}
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
root=$work/root
dpkg-deb -x "$deb" "$root"

# --- its files: exactly the program, its desktop metadata and its help -------
expected_files() {
    echo ./usr/bin/kirabilog
    echo ./usr/share/applications/$app_id.desktop
    echo ./usr/share/metainfo/$app_id.metainfo.xml
    echo ./usr/share/icons/hicolor/scalable/apps/$app_id.svg
    for size in "${icon_sizes[@]}"; do
        echo "./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    done
    (cd "$source/manual" && for f in *.html *.css images/*.png; do
        echo "./usr/share/kirabilog/help/$f"
    done)
}
expected_files | sort >"$work/expected"
grep -q '/help/index.html$' "$work/expected" || fail "the manual has no index.html"
grep -q '/help/images/.*\.png$' "$work/expected" || fail "the manual has no images"

dpkg-deb -c "$deb" >"$work/contents"
awk '$1 !~ /^d/ { print $6 }' "$work/contents" | sort >"$work/files"
if ! diff -u "$work/expected" "$work/files" >"$work/files.diff"; then
    echo "Files in the package (+ not expected, - missing):"
    grep '^[-+]\./' "$work/files.diff"
    fail "the package's files differ from the install rules"
fi
# Directories only where the files are: no empty /usr/include or /usr/lib.
while read -r f; do
    d=$(dirname "$f")
    while [ "$d" != . ]; do
        echo "$d/"
        d=$(dirname "$d")
    done
done <"$work/expected" | sort -u >"$work/expected_dirs"
awk '$1 ~ /^d/ && $6 != "./" { print $6 }' "$work/contents" | sort >"$work/dirs"
diff -u "$work/expected_dirs" "$work/dirs" || fail "the package's folders differ from its files' folders"
grep -q '^-rwxr-xr-x .* \./usr/bin/kirabilog$' "$work/contents" || fail "the program is not mode 755"
# A debug build's program packaged with its debug information is ten times larger.
if command -v readelf >/dev/null && [ -f "$root/usr/bin/kirabilog" ] &&
    readelf -S "$root/usr/bin/kirabilog" | grep -q '\.debug_info'; then
    fail "the program is not stripped"
fi

# --- control fields -------------------------------------------------------------
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# libqt6widgets6 and libsodium23 come from dpkg-shlibdeps, the rest are loaded at run
# time.
for package in libqt6widgets6 libsodium23 qt6-translations-l10n fonts-noto-cjk; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package"
done
[[ $(dpkg-deb -f "$deb" Recommends) == *xdg-utils* ]] || fail "Recommends lacks xdg-utils"
[ "$(dpkg-deb -f "$deb" Package)" = kirabilog ] || fail "the package is not named kirabilog"

# --- desktop metadata -----------------------------------------------------------
desktop=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
if [ -f "$desktop" ]; then
    desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1
    status=$?
    cat "$work/desktop.log"
    if [ $status -ne 0 ] || grep -qE ': (error|warning): ' "$work/desktop.log"; then
        fail "desktop-file-validate"
    fi
    # The entry must name what the package installs.
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [ -x "$root/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not in /usr/bin"
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    [ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "Icon=$icon has no icon"
fi
if [ -f "$metainfo" ]; then
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo does not launch $app_id.desktop"
fi

# A portable copy's shortcut shows the picture beside the program.
cmp -s "$program_folder/kirabilog.png" "$root/usr/share/icons/hicolor/256x256/apps/$app_id.png" ||
    fail "$program_folder/kirabilog.png is not the 256 px icon"

# --- a start from the unpacked, read-only tree ------------------------------------
chmod -R a-w "$root"
chmod -R a+rX "$root"
home=$work/home
mkdir -p "$home/.local/share" "$home/runtime"
chmod 700 "$home/runtime"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    # Root writes anywhere; a read-only folder means something only to a user.
    chown -R nobody:nogroup "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
find "$root" -printf '%P %y %s %T@ %m\n' | sort >"$work/before"

data=$home/.local/share/kirabilog/data
(cd "$home" && exec env QT_QPA_PLATFORM=offscreen HOME="$home" \
    XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/runtime" \
    "${as_user[@]}" "$root/usr/bin/kirabilog") >"$work/program.log" 2>&1 &
program=$!
started=0
for _ in $(seq 300); do
    if [ -e "$data/ini" ]; then
        started=1
        break
    fi
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$program" 2>/dev/null; then
    kill "$program"
    wait "$program" 2>/dev/null
    [ $started -eq 1 ] || fail "no $data/ini within 30 s"
else
    wait "$program"
    fail "the program ended early with status $?"
fi
if [ $started -ne 1 ]; then
    cat "$work/program.log"
    find "$home" -mindepth 1 | sed "s|^$home|  HOME|"
fi
find "$root" -printf '%P %y %s %T@ %m\n' | sort >"$work/after"
diff -u "$work/before" "$work/after" || fail "the program changed the unpacked tree"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "package checks passed"
