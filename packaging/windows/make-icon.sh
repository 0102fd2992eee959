#!/usr/bin/env bash
# Packs the icon's PNG sizes into kirabilog.ico, the picture of the program's
# file, its Start menu entry and its installer. The .ico is kept in the
# repository so that a build needs no ImageMagick; run this after
# packaging/icons/render.sh (Debian: imagemagick).
set -euo pipefail
cd "$(dirname "$0")"
icon=../icons
name=io.github.kirabilog.Kirabilog
# Windows picks the size it shows from these; 256 is stored as PNG, the
# smaller ones as 32-bit bitmaps, which is what Explorer expects.
sizes=(16 24 32 48 64 256)
inputs=()
for size in "${sizes[@]}"; do
    inputs+=("$icon/${size}x${size}/$name.png")
done
# No date chunks: the same pictures give the same bytes.
convert "${inputs[@]}" -define png:exclude-chunks=date,time kirabilog.ico
