#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG, and the raw pixels of
# the sizes a window offers (up to 64), which the program reads without decoding.
# Both are kept in the repository, so building needs no SVG renderer; run this
# (it needs rsvg-convert, from librsvg2-bin) after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/icons"
for size in 16 24 32 48 64 128 256; do
    mkdir -p "$size"
    rsvg-convert -w "$size" -h "$size" org.quillet.Quillet.svg -o "$size/org.quillet.Quillet.png"
    if ((size <= 64)); then
        python3 ../icon-pixels.py "$size/org.quillet.Quillet.png" "$size/org.quillet.Quillet.rgba"
    fi
done
