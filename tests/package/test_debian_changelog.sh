#!/usr/bin/env bash
# Feeds packaging/debian/changelog.awk changelogs in the form of CHANGELOG.md
# and reads what it writes with dpkg-parsechangelog, as Debian's tools read
# the package's changelog.gz: every released version in order with its date
# and weekday, items kept word for word and wrapped under 80 columns, and a
# refusal of what cannot become a Debian changelog.
#
#   test_debian_changelog.sh SOURCE_DIR
#
# Exit status 77 (skipped) without dpkg-parsechangelog (Debian: dpkg-dev).
set -uo pipefail

script=$(realpath "$1")/packaging/debian/changelog.awk
if ! command -v dpkg-parsechangelog >/dev/null; then
    echo "SKIP: missing dpkg-parsechangelog (Debian: dpkg-dev)"
    exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

convert() {
    awk -v package=kirabilog -v "maintainer=The kirabilog developers <kirabilog@example.jp>" \
        -f "$script" "$1"
}

# --- a changelog of three releases ------------------------------------------------
long_item="Backups go into a folder named by the date and _kirabilog_backup, are checked file by file before they count, and a restore takes such a folder, copies it beside the data, checks it, and only then swaps it in."
{
    printf '# Changelog\n\nIntroduction that is not a release.\n\n'
    printf '## [Unreleased]\n\n### Added\n\n- Not released yet.\n\n'
    printf '## [2.0] - 2024-02-29\n\n### Added\n\n- %s\n' "$long_item"
    printf -- '- A list item\n  that goes on on the next line, with `code` and a\n'
    printf -- '  [link](https://kirabilog.example.jp/help).\n'
    printf -- '  - A nested item.\n\n### Fixed\n\n- A fix.\n\n'
    printf '## [1.1] - 2000-03-01\n\n* Leap century.\n\n'
    printf '## 1.0 - 2100-03-01\n\nA paragraph instead of a list.\n\n'
    printf '[2.0]: https://kirabilog.example.jp/2.0\n[1.1]: https://kirabilog.example.jp/1.1\n'
} | sed 's/$/\r/' >"$work/CHANGELOG.md"

if ! convert "$work/CHANGELOG.md" >"$work/changelog" 2>"$work/errors"; then
    cat "$work/errors"
    fail "changelog.awk refused a well-formed changelog"
fi
grep -q $'\r' "$work/changelog" && fail "the carriage returns of the input reached the output"
dpkg-parsechangelog -l "$work/changelog" --all --format rfc822 >"$work/entries" 2>"$work/parse.log"
if [ -s "$work/parse.log" ]; then
    cat "$work/parse.log" "$work/changelog"
    fail "dpkg-parsechangelog warns about the output"
fi

# Versions, newest first, the unreleased section left out; each date at
# midnight UTC with the weekday of that day.
awk '/^Version: / { v = $2 } /^Date: / { sub(/^Date: /, ""); print v "|" $0 }' "$work/entries" \
    >"$work/dates"
printf '%s\n' "2.0|2024-02-29" "1.1|2000-03-01" "1.0|2100-03-01" | while IFS='|' read -r v d; do
    LC_ALL=C date -u -d "$d" "+$v|%a, %d %b %Y 00:00:00 +0000"
done >"$work/expected_dates"
diff -u "$work/expected_dates" "$work/dates" || fail "the versions or their dates are wrong"
grep -q 'Not released yet' "$work/changelog" && fail "the unreleased section reached the package"
grep -q 'Introduction' "$work/changelog" && fail "the text before the first version reached the package"
grep -q 'kirabilog.example.jp/2.0' "$work/changelog" && fail "a link definition reached the package"

# Every entry line of the changes under 80 columns.
awk '/^  / && length($0) > 79 { print "too long: " $0; bad = 1 } END { exit bad }' \
    "$work/changelog" || fail "lines of 80 columns or more"

# An item's words, in order, however they are wrapped.
words() { tr -s ' \n' '\n\n' | grep -v '^$'; }
awk '/^    - Backups/ { on = 1 } on && /^    - A list/ { on = 0 } on' "$work/changelog" |
    sed 's/^    - //; s/^      //' | words >"$work/long.words"
printf '%s\n' "$long_item" | words | diff -u - "$work/long.words" || fail "the long item lost words"
[ "$(grep -c '^    - Backups' "$work/changelog")" -eq 1 ] && [ "$(wc -l <"$work/long.words")" -gt 20 ] &&
    [ "$(awk '/^    - Backups/ { on = 1 } on && /^    - A list/ { on = 0 } on' "$work/changelog" | wc -l)" -gt 1 ] ||
    fail "the long item is not wrapped over several lines"

grep -qx '  \* Added:' "$work/changelog" || fail "no group line for ### Added"
grep -qx '  \* Fixed:' "$work/changelog" || fail "no group line for ### Fixed"
grep -q 'goes on on the next line, with code and a link <https://kirabilog.example.jp/help>\.' \
    <(tr -s '\n ' '  ' <"$work/changelog") ||
    fail "a continued item with Markdown is not plain text on one item"
grep -qx '      + A nested item\.' "$work/changelog" || fail "the nested item is not under its item"
grep -qx '  \* Leap century\.' "$work/changelog" || fail "a '* ' item without a group"
grep -qx '  \* A paragraph instead of a list\.' "$work/changelog" || fail "a paragraph is not an item"

# --- what cannot be converted --------------------------------------------------------
refuse() {
    local what=$1 text=$2 reason=$3
    printf '%b' "$text" >"$work/bad.md"
    if convert "$work/bad.md" >"$work/bad.out" 2>"$work/bad.err"; then
        fail "accepted $what"
    elif ! grep -q "$reason" "$work/bad.err"; then
        cat "$work/bad.err"
        fail "refused $what, but not saying '$reason'"
    fi
}
refuse "a day that does not exist" '## [1.0] - 2023-02-29\n\n- Item.\n' 'no such date'
refuse "a month that does not exist" '## [1.0] - 2023-13-01\n\n- Item.\n' 'no such date'
refuse "a version without changes" '## [1.1] - 2024-01-02\n\n## [1.0] - 2024-01-01\n\n- Item.\n' \
    'version 1.1 lists no change'
refuse "a heading without a date" '## [1.0]\n\n- Item.\n' 'YYYY-MM-DD'
refuse "no released version" '# Changelog\n\n## [Unreleased]\n\n- Item.\n' 'no released version'

if [ $failures -ne 0 ]; then
    echo "--- the output of the well-formed changelog:"
    cat "$work/changelog"
    echo "$failures check(s) failed"
    exit 1
fi
echo "Debian changelog checks passed"
