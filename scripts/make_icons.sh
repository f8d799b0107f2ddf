#!/usr/bin/env bash
# Draws the PNG sizes of the icon from its SVG (needs rsvg-convert, from
# librsvg2-bin). Run after changing the SVG and commit the PNGs: the build and
# the install use them as they are.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../data/icons"
for size in 16 24 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert -w "$size" -h "$size" org.kanvelo.Kanvelo.svg -o "${size}x${size}/org.kanvelo.Kanvelo.png"
done
