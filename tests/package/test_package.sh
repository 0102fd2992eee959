#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks what a user gets:
# the files and nothing else, the dependencies, valid desktop metadata, the
# copyright file, changelog and manual pages Debian asks for, what lintian
# says, and a program that starts from a folder it cannot write without
# writing there.
#
#   test_package.sh BUILD_DIR SOURCE_DIR PROGRAM
#
# PROGRAM is the built program, whose folder must hold the portable copy's icon.
#
# Exit status 77 (skipped) when a tool is missing; ./setup.sh test installs them.
# Without lintian the other checks still run, and a pass reads as skipped.
set -uo pipefail

build=$(realpath "$1")
source=$(realpath "$2")
program_folder=$(dirname "$(realpath "$3")")
app_id=io.github.kirabilog.Kirabilog
icon_sizes=(16 24 32 48 64 128 256)

missing=()
for tool in cpack dpkg-deb dpkg-shlibdeps dpkg-parsechangelog desktop-file-validate appstreamcli \
    setpriv man gzip; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "SKIP: missing ${missing[*]} (Debian: dpkg-dev desktop-file-utils appstream man-db gzip)"
    exit 77
fi

have_lintian=1
command -v lintian >/dev/null || have_lintian=0

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
    echo ./usr/share/doc/kirabilog/copyright
    echo ./usr/share/doc/kirabilog/changelog.gz
    echo ./usr/share/man/man1/kirabilog.1.gz
    echo ./usr/share/man/ja/man1/kirabilog.1.gz
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

# --- copyright, changelog and manual pages -------------------------------------
# Where the program started at the end keeps its data, as the pages must say.
home=$work/home
data=$home/.local/share/kirabilog/data
version=$(dpkg-deb -f "$deb" Version)
# Released sections of CHANGELOG.md, newest first: "VERSION YYYY-MM-DD".
sed -n 's/^## \[\{0,1\}\([0-9][^] ]*\)\]\{0,1\} - \([0-9-]*\)[[:space:]]*$/\1 \2/p' \
    "$source/CHANGELOG.md" >"$work/releases"
release_date=$(awk 'NR == 1 { print $2 }' "$work/releases")

# gzip -9n: no file name and no time in the header, so that the same text
# makes the same bytes, and the text compressed again gives this very file.
check_gzip() {
    local file=$1 what=$2 id1 id2 method flags t1 t2 t3 t4
    read -r id1 id2 method flags t1 t2 t3 t4 < <(od -An -tu1 -N8 "$file")
    if [ "$id1 $id2 $method" != "31 139 8" ]; then
        fail "$what is not gzip-compressed"
        return
    fi
    [ $((flags & 8)) -eq 0 ] || fail "$what names the file it was compressed from"
    [ "$t1$t2$t3$t4" = 0000 ] || fail "$what carries the time it was compressed"
    gzip -dc "$file" | gzip -9n | cmp -s - "$file" || fail "$what is not compressed by gzip -9n"
}

copyright=$root/usr/share/doc/kirabilog/copyright
if [ -f "$copyright" ]; then
    head -n 1 "$copyright" |
        grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
        fail "the copyright file does not start with the machine-readable Format line"
    # Every licence a Files paragraph names needs its text, given there or in
    # a License paragraph of its own; the MIT text goes to copyright.mit.
    if ! awk -v mit="$work/copyright.mit" '
        function finish(    n, names, i) {
            if (files != "") {
                if (license == "") { print "Files: " files " names no licence"; bad = 1 }
                if (copyright == "") { print "Files: " files " names no copyright"; bad = 1 }
                n = split(license, names, / or | and /)
                for (i = 1; i <= n; i++) {
                    sub(/ with .*/, "", names[i])
                    used[names[i]] = 1
                    if (text != "") given[names[i]] = 1
                }
                if (files == "*") star = license " / " copyright
            } else if (license != "") {
                given[license] = 1
                if (license == "MIT") printf "%s", text > mit
            }
            files = license = copyright = text = field = ""
        }
        /^[ \t]*$/ { finish(); next }
        /^[^ \t][^:]*:/ {
            field = substr($0, 1, index($0, ":") - 1)
            value = substr($0, index($0, ":") + 1)
            sub(/^[ \t]+/, "", value)
            if (field == "Files") files = value
            if (field == "License") license = value
            if (field == "Copyright") copyright = value
            next
        }
        field == "License" {
            line = substr($0, 2)
            if (line == ".") line = ""
            text = text line "\n"
        }
        END {
            finish()
            for (name in used) if (!(name in given)) { print "no text for the licence " name; bad = 1 }
            if (star != "MIT / 2026 The kirabilog developers") {
                print "Files: * reads " star; bad = 1
            }
            exit bad
        }' "$copyright"; then
        fail "the copyright file's paragraphs"
    fi
    # The licence text is the one at the root of the source, word for word.
    sed -n '/^Permission is hereby granted/,$p' "$source/LICENSE" >"$work/license.mit"
    [ -s "$work/license.mit" ] || fail "LICENSE has no MIT licence text"
    diff -u "$work/license.mit" "$work/copyright.mit" ||
        fail "the copyright file's MIT text differs from LICENSE"
    grep -q 'Copyright (c) 2026 The kirabilog developers' "$source/LICENSE" ||
        fail "LICENSE does not name the copyright of the Files: * paragraph"
    # The program links Qt Charts: the package says under which terms it comes.
    grep -q 'Qt Charts' "$copyright" && grep -q '/usr/share/common-licenses/GPL-3' "$copyright" ||
        fail "the copyright file does not say that the program comes under the GPL-3"
fi

changelog=$root/usr/share/doc/kirabilog/changelog.gz
if [ -f "$changelog" ]; then
    check_gzip "$changelog" "changelog.gz"
    gzip -dc "$changelog" >"$work/changelog"
    dpkg-parsechangelog -l "$work/changelog" --all --format rfc822 >"$work/entries" 2>"$work/parse.log"
    if [ -s "$work/parse.log" ]; then
        cat "$work/parse.log"
        fail "dpkg-parsechangelog does not read changelog.gz cleanly"
    fi
    [ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = "$version" ] ||
        fail "the newest changelog entry is not the package's version $version"
    [ "$(dpkg-parsechangelog -l "$work/changelog" -S Source)" = kirabilog ] ||
        fail "the changelog is not kirabilog's"
    # One entry for each released section of CHANGELOG.md, in its order and
    # with its date.
    awk '/^Version: / { v = $2 } /^Date: / { sub(/^Date: /, ""); print v "\t" $0 }' \
        "$work/entries" | while IFS=$'\t' read -r v d; do
        echo "$v $(date -u -d "$d" +%F)"
    done >"$work/changelog.releases"
    diff -u "$work/releases" "$work/changelog.releases" ||
        fail "changelog.gz does not hold the released sections of CHANGELOG.md"
fi

for page in man1/kirabilog.1.gz ja/man1/kirabilog.1.gz; do
    file=$root/usr/share/man/$page
    [ -f "$file" ] || continue
    check_gzip "$file" "$page"
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$file" >"$work/page" 2>"$work/man.log"
    # As lintian does, a Japanese line that groff cannot break is not a fault.
    grep -v -e "cannot adjust line" -e "can't break line" "$work/man.log" >"$work/man.errors"
    if [ "$page" = man1/kirabilog.1.gz ]; then
        cp "$work/man.log" "$work/man.errors"
        LC_ALL=C.UTF-8 lexgrog "$file" >/dev/null || fail "$page has no NAME line that whatis reads"
    fi
    if [ -s "$work/man.errors" ]; then
        cat "$work/man.errors"
        fail "man reports problems in $page"
    fi
    grep -Eq "^kirabilog ${version//./\\.} +$release_date +KIRABILOG\(1\)$" "$work/page" ||
        fail "$page is not dated $release_date for version $version"
    # Where the program started below keeps its data.
    grep -Fq "~/${data#"$home"/}" "$work/page" || fail "$page does not name the data folder"
done

# --- lintian ----------------------------------------------------------------------
if [ $have_lintian -eq 1 ]; then
    lintian --info --display-info --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1
    status=$?
    grep -E '^[EWIPXO]: ' "$work/lintian.log"
    if [ $status -ne 0 ] || grep -qE '^[EW]: ' "$work/lintian.log"; then
        grep -vE '^[EWIPXON]: |^N:' "$work/lintian.log"
        fail "lintian reports errors or warnings"
    fi
else
    echo "lintian is missing (Debian: lintian): the package is not checked by it"
fi

# A portable copy's shortcut shows the picture beside the program.
cmp -s "$program_folder/kirabilog.png" "$root/usr/share/icons/hicolor/256x256/apps/$app_id.png" ||
    fail "$program_folder/kirabilog.png is not the 256 px icon"

# --- a start from the unpacked, read-only tree ------------------------------------
chmod -R a-w "$root"
chmod -R a+rX "$root"
mkdir -p "$home/.local/share" "$home/runtime"
chmod 700 "$home/runtime"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    # Root writes anywhere; a read-only folder means something only to a user.
    chown -R nobody:nogroup "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
find "$root" -printf '%P %y %s %T@ %m\n' | sort >"$work/before"

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
if [ $have_lintian -eq 0 ]; then
    echo "SKIP: the other package checks passed, but lintian is missing (Debian: lintian)"
    exit 77
fi
echo "package checks passed"
