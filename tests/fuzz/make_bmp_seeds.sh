#!/usr/bin/env bash
# Writes the seed corpus of the bmp fuzz target with ImageMagick: small BMP files of every
# depth and header the check takes, so that the fuzzer starts past the size checks.
#   tests/fuzz/make_bmp_seeds.sh
set -euo pipefail
corpus="$(cd "$(dirname "$0")" && pwd)/bmp_corpus"
rm -rf "$corpus"
mkdir -p "$corpus"
cd "$corpus"
# A 5 x 3 picture of four colours, so that a palette and RLE runs both have something to do.
picture() { convert -size 5x3 xc:red -fill blue -draw 'point 1,1' -fill lime -draw 'point 3,0' \
  -fill white -draw 'line 0,2 4,2' "$@"; }
picture BMP3:rgb24.bmp
picture -type palette -colors 4 -define bmp:bits-per-pixel=4 BMP3:pal4.bmp
picture -monochrome BMP3:mono1.bmp
picture -type palette -compress RLE BMP3:rle8.bmp
picture -alpha on BMP:v5_32.bmp
