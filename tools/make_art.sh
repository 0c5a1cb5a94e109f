#!/usr/bin/env bash
# Regenerates the clock's art from scratch: the window outline (resources/clock.rgn), the built-in
# dial overlay (resources/dial.bmp, and resources/dial_250.bmp to dial_400.bmp for larger faces), the
# notification-area icon (resources/clock.ico) and the delivered background pictures
# (resources/background/).
# Needs g++, ImageMagick (/usr/bin/convert), iconv and the DejaVu fonts; no network. Nothing is
# random, so every run writes the same bytes.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
convert=/usr/bin/convert
fonts=/usr/share/fonts/truetype/dejavu
sans=$fonts/DejaVuSans.ttf
sans_bold=$fonts/DejaVuSans-Bold.ttf
serif_bold=$fonts/DejaVuSerif-Bold.ttf
for font in "$sans" "$sans_bold" "$serif_bold"; do
  [ -f "$font" ] || { echo "make_art: missing font $font" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build_tools() {
  local flags=(-std=c++17 -O2 -I"$root")
  g++ "${flags[@]}" -o "$work/make_region" "$root/tools/make_region.cpp" \
    "$root/formats/clock_outline.cpp" "$root/formats/region_data.cpp"
  g++ "${flags[@]}" -o "$work/make_dial" "$root/tools/make_dial.cpp"
  g++ "${flags[@]}" -o "$work/make_icon" "$root/tools/make_icon.cpp"
  g++ "${flags[@]}" -o "$work/make_orb" "$root/tools/make_orb.cpp" "$root/tools/orb_writer.cpp"
}

# Code page 932 bytes of a UTF-8 text, for the titles and authors stored in the pictures.
cp932() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }

# A transparent layer of `side` x `side` pixels with the given numerals ("hour:text" pairs). Each
# glyph is trimmed and pushed in from the rim until its box keeps `edge` pixels from the centre,
# so one- and two-digit numerals keep the same margin to the ring.
numeral_layer() {
  local out=$1 font=$2 size=$3 fill=$4 edge=$5 side=$6
  shift 6
  local args=() pair hour text box offset
  for pair in "$@"; do
    hour=${pair%%:*}
    text=${pair#*:}
    local glyph=(-background none -fill "$fill" -font "$font" -pointsize "$size")
    glyph+=("label:$text" -trim)
    box=$("$convert" "${glyph[@]}" -format '%w %h' info:)
    offset=$(echo "$box" | awk -v h="$hour" -v e="$edge" '
      function round(v) { return v < 0 ? -int(-v + 0.5) : int(v + 0.5) }
      { a = h * atan2(0, -1) / 6; s = sin(a); c = cos(a)
        r = e - (s < 0 ? -s : s) * $1 / 2 - (c < 0 ? -c : c) * $2 / 2
        printf "%+d%+d", round(r * s), round(-r * c) }')
    args+=('(' "${glyph[@]}" +repage ')' -geometry "$offset" -composite)
  done
  "$convert" -size "${side}x${side}" xc:none -gravity center "${args[@]}" "$out"
}

# ImageMagick draw primitives for marks around the centre (100, 100): `count` positions, the
# ones whose index is a multiple of `skip` left out (0 leaves none out). Each mark is a line from
# radius r1 to r2, or a dot of radius `dot` at r1 when r2 is 0.
ring_marks() {
  awk -v n="$1" -v skip="$2" -v r1="$3" -v r2="$4" -v dot="${5:-0}" 'BEGIN {
    for (i = 0; i < n; i++) {
      if (skip > 0 && i % skip == 0) continue
      a = i * 2 * atan2(0, -1) / n; x = 100 + r1 * sin(a); y = 100 - r1 * cos(a)
      if (r2 > 0) printf "line %.2f,%.2f %.2f,%.2f ", x, y, 100 + r2 * sin(a), 100 - r2 * cos(a)
      else printf "circle %.2f,%.2f %.2f,%.2f ", x, y, x + dot, y
    } }'
}

# A Park-Miller generator for awk: a fixed sequence, so that scattered stars and flowers land in
# the same places on every run.
park_miller='function rand01() { seed = (seed * 16807) % 2147483647; return seed / 2147483647 }'

# Lays the round scene `scene` inside the rim of a 200x200 face: `bezel` is the metal colour
# pair (centre, edge) that also fills the stems and lugs of the window outline.
framed_face() {
  local scene=$1 bezel=$2 out=$3
  "$convert" -size 200x200 radial-gradient:"$bezel" \
    \( "$scene" \( -size 200x200 xc:black -fill white -draw 'circle 100,100 100,16' \) \
    -alpha off -compose copy-opacity -composite \) -compose over -composite "$out"
}

make_region() {
  "$work/make_region" "$root/resources/clock.rgn"
}

# The numerals are rendered white on black and cut at half coverage by make_dial, which adds the
# ring, the dots and the outlines: the bitmap holds no blended pixels next to the magenta. The
# dial is made for the 200 x 200 face and, every measure scaled, for the faces of 120, 144, 168
# and 192 DPI screens (`side` 250, 300, 350 and 400).
make_dial_overlay() {
  local side=$1 out=$2
  local point edge
  point=$(awk -v s="$side" 'BEGIN { print 16 * s / 200 }')
  edge=$(awk -v s="$side" 'BEGIN { print 61 * s / 200 }')
  numeral_layer "$work/numerals.png" "$sans_bold" "$point" white "$edge" "$side" \
    1:1 2:2 3:3 4:4 5:5 6:6 7:7 8:8 9:9 10:10 11:11 12:12
  "$convert" -size "${side}x${side}" xc:black "$work/numerals.png" -composite -colorspace gray \
    -depth 8 "$work/numerals.pgm"
  "$work/make_dial" "$work/numerals.pgm" "$out" "$side"
}

# 夜明けの湖: a sunrise over mountains and a lake, in a bronze rim with Roman numerals. Stored
# with a 256-colour palette.
draw_dawn_lake() {
  local out=$1 streaks="" i
  for i in $(seq 0 10); do
    local half=$((20 - i * 3 / 2)) y=$((3 + i * 4))
    streaks+="line $((100 - half)),$y $((100 + half)),$y "
  done
  "$convert" -size 200x64 gradient:'#241a4a-#a8477a' -size 200x48 gradient:'#a8477a-#f8b665' \
    -append \( -size 200x112 xc:none -fill '#b0603a' -draw 'circle 100,102 100,70' -blur 0x12 \) \
    -compose screen -composite -compose over \
    -fill '#fff2c4' -draw 'circle 100,100 100,87' \
    -fill '#3b2c5e' -draw 'polygon 0,112 0,90 16,84 30,92 48,76 64,90 76,86 88,102 100,110
      112,102 124,88 138,95 156,80 174,93 188,87 200,92 200,112' \
    -fill '#4c3870' -draw 'polygon 0,112 0,104 26,100 52,106 84,106 100,111 116,106 150,106
      176,100 200,104 200,112' \
    \( -size 200x88 gradient:'#d08a68-#1a1640' \( -size 200x88 xc:none -stroke '#ffdc96' \
    -strokewidth 1.2 -draw "$streaks" -blur 0x0.6 \) -compose over -composite \) -append \
    "$work/dawn_scene.png"
  framed_face "$work/dawn_scene.png" '#e7c27a-#6e4a1e' "$work/dawn_face.png"
  numeral_layer "$work/dawn_numerals.png" "$serif_bold" 15 '#fff1cf' 67 200 \
    12:XII 3:III 6:VI 9:IX
  "$convert" "$work/dawn_face.png" -fill none \
    -stroke '#3a2410' -strokewidth 1.5 -draw 'circle 100,100 100,16' \
    -stroke '#f6dca0' -strokewidth 1 -draw 'circle 100,100 100,13.5' \
    -stroke '#fff1cf' -strokewidth 2.2 -draw "$(ring_marks 12 0 71 81)" \
    -strokewidth 1 -draw "$(ring_marks 60 5 77 81)" -stroke none \
    \( "$work/dawn_numerals.png" -fill '#1a1030' -colorize 100 -roll +1+1 \) -composite \
    "$work/dawn_numerals.png" -composite \
    -alpha off -dither FloydSteinberg -colors 256 -type Palette -compress none BMP3:"$out"
}

# 星降る夜: a starry sky with a crescent moon and the Milky Way, in a silver rim with the four
# quarter numerals. Stored with 24 bits per pixel.
draw_night_sky() {
  local out=$1 stars
  stars=$(awk "$park_miller"' BEGIN { seed = 20240601
    for (i = 0; i < 150; i++) {
      x = 100 + (rand01() - 0.5) * 140; y = 100 + (rand01() - 0.5) * 140
      r = 0.4 + rand01() * rand01(); k = rand01()
      dx = x - 100; dy = y - 100; ax = dx < 0 ? -dx : dx; ay = dy < 0 ? -dy : dy
      if (dx ^ 2 + dy ^ 2 > 66 ^ 2 || (ax < 14 && ay > 46) || (ay < 14 && ax > 46)) continue
      c = k < 0.6 ? "#ffffff" : (k < 0.8 ? "#ffe9b8" : "#bcd4ff")
      printf "fill %s circle %.2f,%.2f %.2f,%.2f ", c, x, y, x + r, y } }')
  "$convert" -size 200x200 radial-gradient:'#2a4a8a-#060a1c' \
    \( -size 200x200 xc:none -fill '#4a66a8' -draw 'rotate -35 ellipse 40,150 120,14 0,360' \
    -blur 0x12 \) -compose screen -composite -compose over -stroke none -draw "$stars" \
    \( -size 200x200 xc:none -fill '#fff3c8' -draw 'circle 128,66 128,51' \
    \( -size 200x200 xc:none -fill black -draw 'circle 121,61 121,47' \) \
    -compose dst-out -composite \( +clone -background '#fff0c0' -shadow 70x4+0+0 \) +swap \
    -background none -compose over -layers merge +repage \) -composite \
    -crop 200x200+0+0 +repage "$work/night_scene.png"
  framed_face "$work/night_scene.png" '#dfe6f2-#59647a' "$work/night_face.png"
  numeral_layer "$work/night_numerals.png" "$sans" 17 '#e6eeff' 71 200 12:12 3:3 6:6 9:9
  local diamonds
  diamonds=$(awk 'BEGIN { split("1 2 4 5 7 8 10 11", hours, " ")
    for (i = 1; i <= 8; i++) {
      a = hours[i] * atan2(0, -1) / 6; x = 100 + 76 * sin(a); y = 100 - 76 * cos(a)
      printf "polygon %.2f,%.2f %.2f,%.2f ", x, y - 4, x + 1.6, y
      printf "%.2f,%.2f %.2f,%.2f ", x, y + 4, x - 1.6, y
    } }')
  "$convert" "$work/night_face.png" -fill none \
    -stroke '#1c2238' -strokewidth 1.5 -draw 'circle 100,100 100,14' \
    -stroke white -strokewidth 0.8 -draw 'circle 100,100 100,11.6' -stroke none \
    -fill '#c8d6f4' -draw "$(ring_marks 60 5 79 0 0.8)" -fill '#f2f6ff' -draw "$diamonds" \
    "$work/night_numerals.png" -composite \
    -alpha off -type TrueColor -compress none BMP3:"$out"
}

# A plain picture for the built-in dial: a spring meadow under a morning sky.
draw_meadow() {
  local out=$1 flowers
  flowers=$(awk "$park_miller"' BEGIN { seed = 7771
    for (i = 0; i < 140; i++) {
      y = 128 + rand01() * 72; x = rand01() * 200; r = 0.6 + (y - 128) / 72 * 1.2; k = rand01()
      c = k < 0.4 ? "#fff6e0" : (k < 0.7 ? "#ffd24a" : (k < 0.9 ? "#ff9ab8" : "#c7a4ff"))
      printf "fill %s circle %.2f,%.2f %.2f,%.2f ", c, x, y, x + r, y } }')
  "$convert" -size 200x200 gradient:'#5fa8e8-#e8f4ff' \
    \( -size 200x200 xc:none -fill '#fff6d0' -draw 'circle 138,64 138,34' -blur 0x16 \) \
    -compose screen -composite -compose over -fill '#fffbe8' -draw 'circle 138,64 138,54' \
    \( -size 200x200 xc:none -fill white -draw 'ellipse 52,56 26,9 0,360 ellipse 70,50 18,11 0,360
      ellipse 36,60 14,7 0,360 ellipse 120,86 20,6 0,360 ellipse 134,82 12,7 0,360' -blur 0x2.5 \) \
    -composite -fill '#8cc06a' -draw 'ellipse 40,150 110,42 0,360' \
    -fill '#76b257' -draw 'ellipse 170,158 100,44 0,360' \
    \( -size 200x200 gradient:'#5aa446-#2f7a32' \( -size 200x200 xc:black -fill white \
    -draw 'ellipse 90,210 160,80 0,360' \) -alpha off -compose copy-opacity -composite \) \
    -compose over -composite -stroke none -draw "$flowers" \
    -alpha off -type TrueColor -compress none BMP3:"$out"
}

# Bits per pixel of an orb picture: the header's field at 12 + 14.
orb_bits() { od -An -tu2 -j26 -N2 "$1" | tr -d ' '; }

make_orb() {
  local bmp=$1 name=$2 bits=$3 title=$4 author=$5
  local orb="$root/resources/background/$name.orb"
  "$work/make_orb" "$bmp" "$orb" "$(cp932 "$title")" "$(cp932 "$author")"
  if [ "$(orb_bits "$orb")" != "$bits" ]; then
    echo "make_art: $name.orb has $(orb_bits "$orb") bits per pixel, not $bits" >&2
    exit 1
  fi
}

make_backgrounds() {
  mkdir -p "$root/resources/background"
  draw_dawn_lake "$work/dawn_lake.bmp"
  make_orb "$work/dawn_lake.bmp" dawn_lake 8 '夜明けの湖' 'Kelvane 制作室'
  draw_night_sky "$work/night_sky.bmp"
  make_orb "$work/night_sky.bmp" night_sky 24 '星降る夜' 'Kelvane 制作室'
  draw_meadow "$root/resources/background/meadow.bmp"
}

build_tools
make_region
"$work/make_icon" "$root/resources/clock.ico"
make_dial_overlay 200 "$root/resources/dial.bmp"
for side in 250 300 350 400; do make_dial_overlay "$side" "$root/resources/dial_$side.bmp"; done
make_backgrounds
