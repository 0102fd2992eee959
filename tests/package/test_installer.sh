#!/usr/bin/env bash
# Installs the Windows setup under Wine in a fresh prefix and checks what a
# user gets and what stays behind: the program in
# %LOCALAPPDATA%\Programs\kirabilog, its Start menu entry and its entry in
# the list of programs; a program that starts and makes its "data" folder
# beside itself; a setup and an uninstaller that refuse to touch a running
# copy; a second installation over the first that keeps the data; and a
# silent uninstallation that removes the program and leaves the data and
# anything else the user put there.
#
#   test_installer.sh SETUP_EXE SCRATCH_DIR [STAGING_DIR]
#
# SCRATCH_DIR receives the Wine prefix (remade on every run). With
# STAGING_DIR, the folder the setup was made from, the installed files must
# be exactly its files, byte for byte.
#
# Exit status 77 (skipped) when Wine or python3 is missing.
set -uo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 SETUP_EXE SCRATCH_DIR [STAGING_DIR]" >&2
    exit 2
fi
setup=$(realpath "$1")
mkdir -p "$2"
scratch=$(realpath "$2")
staging=${3:+$(realpath "$3")}

missing=()
for tool in wine wineboot wineserver python3 iconv xvfb-run; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "SKIP: missing ${missing[*]} (Debian: wine wine64 python3 xvfb)"
    exit 77
fi
# Debian keeps the 64-bit loader out of PATH; plain "wine" finds it too.
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
[ -x "$wine64" ] || wine64=wine

[ -f "$setup" ] || { echo "FAIL: no setup $setup (build the target windows_installer)"; exit 1; }
version=$(basename "$setup" | sed -n 's/^kirabilog-\(.*\)-setup\.exe$/\1/p')
[ -n "$version" ] || { echo "FAIL: $setup is not named kirabilog-<version>-setup.exe"; exit 1; }

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
started_at=$(date +%s)

# --- a fresh prefix of our own ----------------------------------------------------
# Nothing outside the scratch folder: no menu entries or file associations
# in the real home (winemenubuilder), no Mono or Gecko downloads, no window
# on whatever display the caller has.
export WINEPREFIX=$scratch/wineprefix
export HOME=$scratch/home
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
unset DISPLAY WAYLAND_DISPLAY
rm -rf "$WINEPREFIX" "$HOME"
mkdir -p "$HOME"
log=$scratch/logs
rm -rf "$log"
mkdir -p "$log"

cleanup() {
    wineserver -k 2>/dev/null
}
trap cleanup EXIT
if ! wineboot -i >"$log/wineboot.log" 2>&1; then
    cat "$log/wineboot.log"
    echo "FAIL: wineboot could not make a prefix"
    exit 1
fi
# One server for all the runs below instead of one per command.
wineserver -p60

win() {
    # A variable or a path as Windows sees it, without the console's CR.
    wine cmd /c "echo $1" 2>/dev/null | tr -d '\r'
}
unix_path() {
    wine winepath -u "$1" 2>/dev/null | tr -d '\r' | sed 's|/$||'
}
windows_path() {
    wine winepath -w "$1" 2>/dev/null | tr -d '\r'
}

local_appdata=$(win '%LOCALAPPDATA%')
appdata=$(win '%APPDATA%')
inst_win="$local_appdata\\Programs\\kirabilog"
inst=$(unix_path "$inst_win")
shortcut=$(unix_path "$appdata\\Microsoft\\Windows\\Start Menu\\Programs")/きらび帳.lnk
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\kirabilog'
if [ -z "$local_appdata" ] || [ -z "$inst" ]; then
    echo "FAIL: no %LOCALAPPDATA% in the prefix"
    exit 1
fi
echo "install folder: $inst_win"

run_setup() {
    timeout 300 wine "$setup" /S >>"$log/setup.log" 2>&1
}

# The uninstall key as name=value lines, strings unescaped, DWORDs in
# decimal. reg query prints Japanese as "?" under a C locale; reg export
# writes UTF-16.
read_key() {
    local out=$log/key.reg
    rm -f "$out"
    wine reg export "$key" "$(windows_path "$out")" /y >/dev/null 2>&1 || return 1
    iconv -f UTF-16 -t UTF-8 "$out" | tr -d '\r' | python3 -c '
import re, sys
for line in sys.stdin:
    m = re.match(r"^\"(.*?)\"=(.*)$", line.rstrip("\n"))
    if not m:
        continue
    name, value = m.groups()
    if value.startswith("dword:"):
        value = str(int(value[6:], 16))
    elif value.startswith("\"") and value.endswith("\""):
        value = re.sub(r"\\(.)", r"\1", value[1:-1])
    print(f"{name}={value}")
'
}
key_value() {
    sed -n "s/^$1=//p" "$log/key.txt"
}

# The target, working folder and icon of a shell link, one a line.
read_shortcut() {
    python3 - "$1" <<'EOF'
import struct, sys
d = open(sys.argv[1], "rb").read()
flags, = struct.unpack_from("<I", d, 20)
icon_index, = struct.unpack_from("<i", d, 56)
pos = 76
if flags & 0x1:  # an item id list
    size, = struct.unpack_from("<H", d, pos)
    pos += 2 + size
target = ""
if flags & 0x2:  # link info, with the target as a local path
    info_size, header = struct.unpack_from("<2I", d, pos)
    if header >= 0x24:
        offset, = struct.unpack_from("<I", d, pos + 28)
        end = pos + offset
        while d[end:end + 2] != b"\0\0":
            end += 2
        target = d[pos + offset:end].decode("utf-16-le")
    else:
        offset, = struct.unpack_from("<I", d, pos + 16)
        target = d[pos + offset:d.index(b"\0", pos + offset)].decode("latin-1")
    pos += info_size
strings = {}
for bit, name in ((0x4, "name"), (0x8, "relative"), (0x10, "workdir"), (0x20, "arguments"),
                  (0x40, "icon")):
    if flags & bit:
        count, = struct.unpack_from("<H", d, pos)
        pos += 2
        width = 2 if flags & 0x80 else 1
        text = d[pos:pos + width * count].decode("utf-16-le" if width == 2 else "latin-1")
        strings[name] = text.rstrip("\0")
        pos += width * count
print(f"target={target}")
print(f"workdir={strings.get('workdir', '')}")
print(f"icon={strings.get('icon', '')},{icon_index}")
EOF
}

# Every file below a folder with its size, relative and sorted.
listing() {
    (cd "$1" && find . -type f -printf '%P %s\n' | LC_ALL=C sort)
}
program_files() {
    listing "$inst" | grep -v '^data/' | grep -v "^$user_file "
}

# --- the program's files, entry and key ------------------------------------------------
check_installed() {
    local when=$1
    for f in kirabilog.exe kirabilog.chm kirabilog.ico uninstall.exe; do
        [ -f "$inst/$f" ] || fail "$when: no $f in the install folder"
    done
    if [ -n "$staging" ]; then
        # Exactly the staged files, and the uninstaller.
        { listing "$staging"; echo "uninstall.exe $(stat -c %s "$inst/uninstall.exe" 2>/dev/null)"; } |
            LC_ALL=C sort >"$log/expected_files"
        program_files >"$log/installed_files"
        if ! diff -u "$log/expected_files" "$log/installed_files" >"$log/files.diff"; then
            echo "Installed files (+ not staged, - missing):"
            grep '^[-+][^-+]' "$log/files.diff" | head -40
            fail "$when: the installed files differ from the staging folder"
        fi
        while read -r f _; do
            [ "$f" = uninstall.exe ] && continue
            cmp -s "$staging/$f" "$inst/$f" || fail "$when: $f differs from the staged file"
        done <"$log/expected_files"
    fi

    if [ -f "$shortcut" ]; then
        read_shortcut "$shortcut" >"$log/shortcut.txt" || fail "$when: the Start menu link cannot be read"
        grep -qxF "target=$inst_win\\kirabilog.exe" "$log/shortcut.txt" ||
            fail "$when: the Start menu link does not start kirabilog.exe: $(cat "$log/shortcut.txt")"
        grep -qxF "workdir=$inst_win" "$log/shortcut.txt" ||
            fail "$when: the Start menu link does not start in the install folder"
        grep -qxF "icon=$inst_win\\kirabilog.exe,0" "$log/shortcut.txt" ||
            fail "$when: the Start menu link does not show the program's icon"
    else
        fail "$when: no Start menu link $shortcut"
    fi

    if ! read_key >"$log/key.txt"; then
        fail "$when: no key $key"
        return
    fi
    local expect
    while IFS='|' read -r name expect; do
        [ "$(key_value "$name")" = "$expect" ] ||
            fail "$when: $name is '$(key_value "$name")', not '$expect'"
    done <<EOF
DisplayName|きらび帳
DisplayVersion|$version
Publisher|The kirabilog developers
DisplayIcon|$inst_win\\kirabilog.exe,0
InstallLocation|$inst_win
UninstallString|"$inst_win\\uninstall.exe"
QuietUninstallString|"$inst_win\\uninstall.exe" /S
NoModify|1
NoRepair|1
EOF
    # Windows shows EstimatedSize as the program's size: the files the
    # setup unpacked, uninstaller aside, in KiB rounded up.
    local bytes
    bytes=$(program_files | grep -v '^uninstall.exe ' | awk '{ s += $2 } END { print s + 0 }')
    [ "$(key_value EstimatedSize)" = $(((bytes + 1023) / 1024)) ] ||
        fail "$when: EstimatedSize is '$(key_value EstimatedSize)' KiB for $bytes bytes"
}

# A name no installer knows, beside the program: the user's own.
user_file=notes-of-mine.txt
user_text="mine, not the program's"

# --- a silent installation ------------------------------------------------------------
if ! run_setup; then
    cat "$log/setup.log"
    echo "FAIL: setup.exe /S did not succeed"
    exit 1
fi
[ -d "$inst" ] || { echo "FAIL: nothing in $inst"; exit 1; }
check_installed "first installation"
[ -e "$inst/data" ] && fail "the setup made a data folder"

# --- the installed program makes its data beside itself --------------------------------
# Its folder can be written, so the copy is portable: "data" goes beside it.
# On a first start the program makes data/ini, then asks in a message box
# whether to put a shortcut on the desktop; nobody answers, and the settings
# file is written only after that. The folder is the sign. The program runs
# as a user starts it, on Windows' own window platform, on a display of its
# own (the installed copy has no other).
(cd "$inst" && exec xvfb-run -a -s "-screen 0 1280x1024x24" "$wine64" ./kirabilog.exe) \
    >"$log/program.log" 2>&1 &
program=$!
program_started_at=$(date +%s%N)
started=0
for _ in $(seq 600); do
    if [ -d "$inst/data/ini" ]; then
        started=1
        break
    fi
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
if [ $started -eq 1 ]; then
    echo "data/ini after $((($(date +%s%N) - program_started_at) / 1000000)) ms"
    # Still running, at its question: it did not fail right after.
    sleep 1
    kill -0 "$program" 2>/dev/null || fail "the program ended right after making data/ini"
elif kill -0 "$program" 2>/dev/null; then
    fail "no data/ini beside the program within 60 s of its start"
else
    wait "$program"
    fail "the program ended with status $? before it made data/ini"
fi
[ $started -eq 1 ] || cat "$log/program.log"

# --- a running copy is neither replaced nor removed ----------------------------------
if kill -0 "$program" 2>/dev/null; then
    program_files >"$log/running_before"
    run_setup && fail "setup.exe /S replaced a running copy"
    # In place (_?=), so that its exit status comes back.
    timeout 120 wine "$inst/uninstall.exe" /S "_?=$inst_win" >>"$log/setup.log" 2>&1 &&
        fail "uninstall.exe /S removed a running copy"
    program_files >"$log/running_after"
    diff -u "$log/running_before" "$log/running_after" ||
        fail "the files of a running copy changed"
    read_key >/dev/null || fail "the uninstaller removed the key of a running copy"
    [ -f "$shortcut" ] || fail "the uninstaller removed the Start menu link of a running copy"
    # The program waits on its first question; nobody answers it.
    wine taskkill /f /im kirabilog.exe >/dev/null 2>&1 || kill "$program" 2>/dev/null
    for _ in $(seq 100); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$program" 2>/dev/null && { kill -9 "$program"; fail "the program did not end"; }
fi
wait "$program" 2>/dev/null

# --- a second installation over the first keeps the data ------------------------------
mkdir -p "$inst/data/mine"
echo "懸賞メモ" >"$inst/data/mine/memo.txt"
echo "$user_text" >"$inst/$user_file"
# The data as the program and the user left it: files, contents, folders.
rm -rf "$log/data.before"
cp -a "$inst/data" "$log/data.before"
# An earlier version's uninstaller removes that version's files before the
# new ones are unpacked (what a version no longer ships would stay behind
# otherwise): a removed and unpacked file is a new file, not one rewritten.
# A second link to each old file tells the two apart, and keeps the old
# file's inode from being reused.
links=$scratch/links
rm -rf "$links"
mkdir -p "$links"
program_files | grep -v '^uninstall.exe ' | cut -d' ' -f1 >"$log/linked"
n=0
while read -r f; do
    n=$((n + 1))
    ln "$inst/$f" "$links/$n"
done <"$log/linked"
if run_setup; then
    check_installed "second installation"
else
    fail "a second setup.exe /S over the first did not succeed"
fi
diff -r "$log/data.before" "$inst/data" || fail "the second installation changed data/"
[ -f "$inst/$user_file" ] || fail "the second installation removed $user_file"
kept=()
while read -r f; do
    [ "$(stat -c %h "$inst/$f" 2>/dev/null)" = 2 ] && kept+=("$f")
done <"$log/linked"
rm -rf "$links"
[ ${#kept[@]} -eq 0 ] ||
    fail "the second installation rewrote ${#kept[@]} files of the first in place (${kept[0]}, ...): the first one's uninstaller did not run"

# --- a silent uninstallation, as Windows starts it ------------------------------------
read_key >"$log/key.txt"
quiet=$(key_value QuietUninstallString)
uninstaller=$(sed -n 's/^"\(.*\)" \/S$/\1/p' <<<"$quiet")
if [ -z "$uninstaller" ]; then
    fail "QuietUninstallString '$quiet' is not \"<uninstaller>\" /S"
    uninstaller="$inst_win\\uninstall.exe"
fi
# The uninstaller copies itself to the temporary folder, starts the copy
# and returns: the key, which goes last, tells when the copy is done.
timeout 120 wine "$uninstaller" /S >>"$log/setup.log" 2>&1 || fail "$quiet failed"
gone=0
for _ in $(seq 600); do
    if ! read_key >/dev/null && [ ! -e "$inst/uninstall.exe" ]; then
        gone=1
        break
    fi
    sleep 0.1
done
[ $gone -eq 1 ] || fail "the uninstallation did not finish within 60 s"
[ -e "$shortcut" ] && fail "the Start menu link is still there"
read_key >/dev/null && fail "the key $key is still there"

# Left: the data as it was, and the user's own file; nothing of the program.
{ listing "$log/data.before" | sed 's|^|data/|'; echo "$user_file $((${#user_text} + 1))"; } |
    LC_ALL=C sort >"$log/left_expected"
listing "$inst" >"$log/left"
if ! diff -u "$log/left_expected" "$log/left" >"$log/left.diff"; then
    echo "Left in the install folder (+ not expected, - missing):"
    grep '^[-+][^-+]' "$log/left.diff" | head -40
    fail "the uninstallation left the wrong files"
fi
(cd "$inst" 2>/dev/null && find . -mindepth 1 -type d ! -path './data' ! -path './data/*') |
    grep . && fail "the uninstallation left folders of the program"
diff -r "$log/data.before" "$inst/data" || fail "the uninstallation changed data/"

echo "installer test took $(($(date +%s) - started_at)) s"
if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed; logs in $log, the prefix in $WINEPREFIX"
    exit 1
fi
# The prefix takes some 700 MB; a failed run keeps it to be looked into.
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
rm -rf "$WINEPREFIX" "$HOME"
echo "installer checks passed"
