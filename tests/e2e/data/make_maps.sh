#!/usr/bin/env bash
# Draws the small scanned maps that the 2D tracing road opens, one per picture format:
# 230 x 155 pixels, white, a blue field in the top left quarter and a black contour across.
set -euo pipefail
cd "$(dirname "$0")"
for ext in png jpg tif bmp gif; do
    convert -size 230x155 xc:white -fill '#0000FF' -draw 'rectangle 0,0 114,77' \
        -stroke black -strokewidth 2 -draw 'line 0,125 229,100' -strip -type Palette -compress LZW \
        "map.$ext"
done
