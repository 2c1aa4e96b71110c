#!/bin/sh
# render_picture.sh RSVG CONVERT SOURCE.svg TARGET.bmp
# Renders a slide picture drawn as SVG into the uncompressed 24-bit Windows bitmap
# (BMP version 3) that the slide viewer loads. Transparent areas become the picture's own
# background colour, which the SVG paints as its first full-size rectangle.
set -eu
rsvg=$1
convert=$2
src=$3
dst=$4
mkdir -p "$(dirname "$dst")"
png="$dst.png"
"$rsvg" --format=png --output="$png" "$src"
"$convert" "$png" -background white -alpha remove -alpha off -type TrueColor "BMP3:$dst.part"
rm -f "$png"
mv "$dst.part" "$dst"
