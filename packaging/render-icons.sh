#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG, and the raw pixels of
# the sizes a window offers (up to 64), which the program reads without decoding:
# 8-bit RGBA, row after row, with straight (not premultiplied) alpha, as Qt reads
# the PNGs (the PNGs carry no gamma or colour profile for ImageMagick to apply).
# Both are kept in the repository, so building needs no SVG renderer; run this
# after changing the SVG. It needs rsvg-convert (librsvg2-bin) and ImageMagick's
# convert (imagemagick).
set -euo pipefail
cd "$(dirname "$0")/icons"
for size in 16 24 32 48 64 128 256; do
    mkdir -p "$size"
    rsvg-convert -w "$size" -h "$size" org.quillet.Quillet.svg -o "$size/org.quillet.Quillet.png"
    if ((size <= 64)); then
        convert "$size/org.quillet.Quillet.png" -depth 8 "RGBA:$size/org.quillet.Quillet.rgba"
    fi
done
