#!/bin/sh
# Takes the screenshots of the help pages with the acceptance runner of the
# debug build and copies them into manual/images/ under stable names.
#
#   manual/shots/take-shots.sh
#
# The runner saves a PNG of every open window at each "shot NAME" step of a
# scenario, as NAME-WINDOW.png in its working folder; this script runs the
# scenarios in a temporary folder and copies the pictures the pages use.
# Another runner can be given as KIRABILOG_SCENARIO=/path/to/kirabilog-scenario.
# Needs the Japanese fonts of fonts-noto-cjk; no display is needed.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
images="$here/../images"
runner="${KIRABILOG_SCENARIO:-$root/build/debug/tests/kirabilog-scenario}"

if [ ! -x "$runner" ]; then
    echo "take-shots: $runner is missing; build the debug preset first" >&2
    exit 1
fi
if ! fc-list :lang=ja family 2>/dev/null | grep -q .; then
    echo "take-shots: no Japanese font found; install fonts-noto-cjk" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
export QT_QPA_PLATFORM=offscreen

for scenario in main import login deadline; do
    if ! (cd "$work" && "$runner" "$here/$scenario.scn"); then
        echo "take-shots: $scenario.scn failed; no picture was copied" >&2
        exit 1
    fi
done

# Picture saved by the runner, and its name in manual/images/.
mkdir -p "$images"
while read -r shot image; do
    if [ ! -f "$work/$shot" ]; then
        echo "take-shots: $shot was not saved" >&2
        exit 1
    fi
    cp "$work/$shot" "$images/$image"
    if command -v optipng >/dev/null 2>&1; then
        optipng -quiet -o2 "$images/$image"
    elif command -v pngcrush >/dev/null 2>&1; then
        pngcrush -q -ow "$images/$image"
    fi
    echo "images/$image"
done <<EOF
main_month-frmMain.png main_month.png
main_year-frmMain.png main_year.png
main_total-frmMain.png main_total.png
search-frmMain.png main_search.png
search-frmDataSearch.png search_window.png
main_settings-frmMain.png main_settings.png
main_about-frmMain.png main_about.png
editor-frmDataInput.png editor.png
editor_new-frmDataInput.png editor_new.png
password_set-frmStartPassword.png password_set.png
login-frmStartPassword.png password_login.png
import-frmMain.png import.png
main_deadline-frmMain.png main_deadline.png
EOF
