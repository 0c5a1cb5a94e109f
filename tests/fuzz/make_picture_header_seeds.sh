#!/usr/bin/env bash
# Writes the seed corpus of the picture_header fuzz target with ImageMagick: small PNG, GIF,
# TIFF and JPEG files, the JPEG files also with an Exif segment of either byte order, so that
# the fuzzer starts inside every reader.
#   tests/fuzz/make_picture_header_seeds.sh
set -euo pipefail
corpus="$(cd "$(dirname "$0")" && pwd)/picture_header_corpus"
rm -rf "$corpus"
mkdir -p "$corpus"
cd "$corpus"
picture() { /usr/bin/convert -size 5x3 xc:red -fill blue -draw 'point 1,1' "$@"; }
picture -strip rgb.png
picture -strip -alpha on -channel A -evaluate set 50% palette.gif
picture -strip -orient right-top turned.tif
picture -strip -quality 90 plain.jpg
picture -strip -interlace JPEG progressive.jpg

# An Exif segment (APP1) with one directory of one entry, orientation 6, in TIFF's little-
# ("II") or big-endian ("MM") byte order, put after the start-of-image marker of plain.jpg.
exif() {
  printf '\xff\xe1\x00\x22Exif\x00\x00'
  if [ "$1" = II ]; then
    printf 'II\x2a\x00\x08\x00\x00\x00\x01\x00\x12\x01\x03\x00\x01\x00\x00\x00\x06\x00\x00\x00\x00\x00\x00\x00'
  else
    printf 'MM\x00\x2a\x00\x00\x00\x08\x00\x01\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00\x00\x00\x00\x00'
  fi
}
for order in II MM; do
  { head -c 2 plain.jpg; exif "$order"; tail -c +3 plain.jpg; } >"exif_$order.jpg"
done
