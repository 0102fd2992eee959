# Converts CHANGELOG.md (Keep a Changelog) into a Debian changelog: Debian's
# tools and lintian read a native package's changelog.gz in that format only.
#
#   awk -v package=NAME -v maintainer="NAME <MAIL>" [-v distribution=unstable] \
#       [-v output=FILE] -f changelog.awk CHANGELOG.md
#
# writes FILE, or the standard output without one.
# "## [VERSION] - YYYY-MM-DD" starts a version, "### Heading" a group of its
# items, "- " or "* " an item (further lines indented), "  - " an item within
# one. "## [Unreleased]" is left out: the package holds released versions
# only. Anything before the first version and link definitions are skipped.

function fail(message) {
    printf "%s:%d: %s\n", FILENAME, FNR, message > "/dev/stderr"
    failed = 1
    exit 1
}

# 0 for Sunday; Sakamoto's method for the Gregorian calendar.
function weekday(y, m, d,    t) {
    split("0 3 2 5 0 3 5 1 4 6 2 4", t, " ")
    if (m < 3) y -= 1
    return (y + int(y / 4) - int(y / 100) + int(y / 400) + t[m] + d) % 7
}

function days_in(y, m) {
    if (m == 2) return (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)) ? 29 : 28
    return (m == 4 || m == 6 || m == 9 || m == 11) ? 30 : 31
}

# Markdown marks that mean nothing in plain text.
function plain(text,    link, middle) {
    gsub(/`/, "", text)
    gsub(/\*\*/, "", text)
    # [text](address) reads "text <address>".
    while (match(text, /\[[^]]*\]\([^)]*\)/)) {
        link = substr(text, RSTART + 1, RLENGTH - 2)
        middle = index(link, "](")
        text = substr(text, 1, RSTART - 1) substr(link, 1, middle - 1) " <" \
            substr(link, middle + 2) ">" substr(text, RSTART + RLENGTH)
    }
    return text
}

# Words filled into lines of at most 79 columns: Debian's tools expect
# changelog lines under 80.
function wrap(text, first, rest,    words, n, i, line, out) {
    n = split(text, words, /[ \t]+/)
    line = first
    out = ""
    for (i = 1; i <= n; i++) {
        if (words[i] == "") continue
        if (line != first && line != rest && length(line) + 1 + length(words[i]) > 79) {
            out = out line "\n"
            line = rest
        }
        line = (line == first || line == rest) ? line words[i] : line " " words[i]
    }
    return out line "\n"
}

function flush_item() {
    if (item == "") return
    if (item_level == 2) body = body wrap(plain(item), "      + ", "        ")
    else if (group != "") body = body wrap(plain(item), "    - ", "      ")
    else body = body wrap(plain(item), "  * ", "    ")
    item = ""
}

function start_group(name) {
    flush_item()
    group = name
    body = body wrap(plain(name) ":", "  * ", "    ")
}

function close_entry() {
    flush_item()
    if (!in_entry) return
    if (body == "") fail("version " version " lists no change")
    if (entries > 0) printf "\n" > output
    printf "%s (%s) %s; urgency=medium\n\n%s\n -- %s  %s\n", package, version, distribution,
        body, maintainer, date > output
    entries++
    in_entry = 0
}

BEGIN {
    if (package == "" || maintainer == "") {
        print "changelog.awk: set package and maintainer with -v" > "/dev/stderr"
        failed = 1
        exit 2
    }
    if (distribution == "") distribution = "unstable"
    if (output == "") output = "/dev/stdout"
    split("Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec", month_names, " ")
    split("Sun Mon Tue Wed Thu Fri Sat", day_names, " ")
}

{ sub(/\r$/, "") }

/^## / {
    close_entry()
    skipping = 0
    heading = substr($0, 4)
    if (tolower(heading) ~ /^\[?unreleased\]?[ \t]*$/) {
        skipping = 1
        next
    }
    if (!match(heading, /^\[?[0-9][0-9A-Za-z.+~]*\]? - [0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9][ \t]*$/))
        fail("a version heading reads \"## [VERSION] - YYYY-MM-DD\", not \"" $0 "\"")
    split(heading, fields, " - ")
    version = fields[1]
    gsub(/[][]/, "", version)
    split(fields[2], ymd, "-")
    y = ymd[1] + 0; m = ymd[2] + 0; d = ymd[3] + 0
    if (m < 1 || m > 12 || d < 1 || d > days_in(y, m)) fail("no such date: " fields[2])
    date = sprintf("%s, %02d %s %04d 00:00:00 +0000", day_names[weekday(y, m, d) + 1], d,
        month_names[m], y)
    in_entry = 1
    group = ""
    body = ""
    item = ""
    next
}

!in_entry || skipping { next }

# Link definitions of Keep a Changelog's version headings.
/^\[[^]]+\]: / { next }

/^### / { start_group(substr($0, 5)); next }

/^[-*+] / {
    flush_item()
    item = substr($0, 3)
    item_level = 1
    next
}

/^[ \t]+[-*+] / {
    flush_item()
    item = $0
    sub(/^[ \t]+[-*+] /, "", item)
    item_level = 2
    next
}

/^[ \t]*$/ { flush_item(); next }

# A continued item, or a paragraph of its own.
{
    text = $0
    sub(/^[ \t]+/, "", text)
    if (item == "") {
        item = text
        item_level = 1
    } else {
        item = item " " text
    }
}

END {
    if (failed) exit 1
    close_entry()
    if (failed) exit 1
    if (entries == 0) {
        print "changelog.awk: no released version in " FILENAME > "/dev/stderr"
        exit 1
    }
}
