#!/bin/sh
# to_utf16.sh SOURCE TARGET
# Writes the UTF-8 text SOURCE as TARGET in the form keyfarer's course, slide and lesson
# body readers take: UTF-16 little-endian, byte order mark FF FE, lines ended by CR LF.
set -eu
src=$1
dst=$2
mkdir -p "$(dirname "$dst")"
tmp="$dst.part"
printf '\377\376' > "$tmp"
# Normalise line ends to CR LF before the conversion, whatever the source had.
tr -d '\r' < "$src" | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE >> "$tmp"
mv "$tmp" "$dst"
