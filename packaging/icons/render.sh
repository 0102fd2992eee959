#!/usr/bin/env bash
# Renders the icon's PNG sizes from the SVG. The PNGs are kept in the
# repository so that a build needs no SVG converter; run this after changing
# the SVG (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
icon=io.github.kirabilog.Kirabilog
for size in 16 24 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert -w "$size" -h "$size" "$icon.svg" -o "${size}x${size}/$icon.png"
done
