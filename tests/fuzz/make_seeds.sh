#!/usr/bin/env bash
# Writes the seed corpora of the region, orb and enable_list fuzz targets: a few small,
# valid files of each format, so that the fuzzer starts past the magic bytes and the size
# checks. Texts are code page 932 bytes, some with a trail byte 0x5C or "A".
#   tests/fuzz/make_seeds.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

u16() { printf "$(printf '\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)))"; }
u32() { u16 $(($1 & 65535)); u16 $((($1 >> 16) & 65535)); }

# A region file as tools/make_region writes it: the 16-byte header, the RGNDATAHEADER with
# the bounding rectangle, then the rectangles, each given as left top right bottom.
region() {
  local width=$1 height=$2 count=$((($# - 2) / 4))
  shift 2
  printf 'RGN\0'; u16 100; u16 $((16 * count)); u16 "$width"; u16 "$height"; u32 0
  u32 32; u32 1; u32 "$count"; u32 $((16 * count))
  u32 0; u32 0; u32 "$width"; u32 "$height"
  for value in "$@"; do u32 "$value"; done
}

# An orb picture as tools/orb_writer lays it out: "OR", the trailer and pixel offsets, the
# 40-byte header, a grey colour table of 2^bits entries below 16 bits, the pixel block and
# the title and author, each after its length byte. Pixels and texts are printf escapes.
orb() {
  local width=$1 height=$2 bits=$3 compression=$4 pixels=$5 title=$6 author=$7
  local colors=0 pixelBytes text
  ((bits < 16)) && colors=$((1 << bits))
  pixelBytes=$(printf "$pixels" | wc -c)
  printf 'OR\0\0'; u32 $((52 + 4 * colors + pixelBytes)); u32 $((52 + 4 * colors))
  u32 40; u32 "$width"; u32 "$height"; u16 1; u16 "$bits"; u32 "$compression"
  u32 "$pixelBytes"; u32 0; u32 0; u32 0; u32 0
  for ((c = 0; c < colors; c++)); do
    local grey=$((c * 255 / (colors - 1)))
    u16 $((grey * 257)); u16 "$grey"
  done
  printf "$pixels"
  for text in "$title" "$author"; do
    u16 "$(printf "$text" | wc -c)" | head -c 1
    printf "$text"
  done
}

mkdir -p "$here/region_corpus" "$here/orb_corpus" "$here/enable_list_corpus"
cd "$here/region_corpus"
region 200 200 0 0 200 200 >one_rect.rgn
region 30 20 10 0 20 5 0 5 30 15 10 15 20 20 >cross.rgn

cd "$here/orb_corpus"
# 時計 by Ornwick: a blue and a green pixel over a red and a white one, rows padded to 8.
orb 2 2 24 0 '\x00\x00\xff\xff\xff\xff\0\0\xff\0\0\0\xff\0\0\0' '\x8e\x9e\x8c\x76' 'Ornwick' \
  >rgb24_2x2.orb
# The full table of 256 entries makes this one 1082 bytes.
orb 1 1 8 0 '\x80\0\0\0' '' '' >pal8_1x1.orb
# 表示 by ソ (both with a trail byte 0x5C), 3 x 2 at 4 bits, rows padded to 4 bytes.
orb 3 2 4 0 '\x01\x20\0\0\xfe\xdc\0\0' '\x95\x5c\x8e\xa6' '\x83\x5c' >pal4_3x2.orb
orb 8 -2 1 0 '\xaa\0\0\0\x55\0\0\0' 'top-down' '' >mono_8x2_topdown.orb
# ア (0x83 0x41) in RLE4: a run of four pixels per row, end of line, end of picture.
orb 4 2 4 2 '\x04\x12\0\0\x04\x34\0\x01' '\x83\x41' '' >rle4_4x2.orb

cd "$here/enable_list_corpus"
# The list's text, a NUL, then the plug-in's file name.
printf 'wallpaper.dll\r\n\0wallpaper.dll' >ascii
# 壁紙.dll and ソフト.dll (ソ ends in 0x5C), asking for ソフト.dll.
printf '\x95\xc7\x8e\x86.dll\r\n\x83\x5c\x83\x74\x83\x67.dll\r\n\0\x83\x5c\x83\x74\x83\x67.dll' \
  >japanese
# "AB.dll" after 0x83 starts inside ア: not named.
printf '\x83AB.dll\0AB.dll' >trail_byte_a
# The 0x5C of 表 is no character of its own: "\示.dll" is not named.
printf '\x95\x5c\x8e\xa6.dll\0\x5c\x8e\xa6.dll' >trail_byte_backslash
# A lone lead byte at the end of the text.
printf 'paper.dll \x83\0paper.dll' >lone_lead_byte
