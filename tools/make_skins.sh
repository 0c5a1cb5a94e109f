#!/usr/bin/env bash
# Regenerates the dialog skins: resources/skin_customize.mag (400 x 400, resource "MAG" 116, the
# customize dialog) and resources/skin_message.mag (320 x 160, resource "MAG" 110, the message
# dialog). ImageMagick (/usr/bin/convert) draws them, make_mag writes them as 256-colour MAG
# pictures. Needs g++, the DejaVu fonts and IPA P Gothic; no network. Nothing is random, so every
# run writes the same bytes. Where each part lies is fixed by the dialogs that cut the skins up.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
convert=/usr/bin/convert
latin=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
japanese=/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
for font in "$latin" "$japanese"; do
  [ -f "$font" ] || { echo "make_skins: missing font $font" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

g++ -std=c++17 -O2 -I"$root" -o "$work/make_mag" "$root/tools/make_mag.cpp" \
  "$root/tools/mag_encoder.cpp" "$root/tools/indexed_bmp.cpp"

# The palette of both skins.
navy=#1d3557
navy_light=#2f5d8a
amber=#e3a23b
amber_dark=#b97a1a
ink=#23405e
line=#8ea7c0
strip=#d5e0eb
cell=#e7eef5
panel=#eef3f8
white=#ffffff

# A rounded button face of W x H on BACKGROUND: a vertical gradient TOP-BOTTOM inside a BORDER,
# with LABEL centred in FONT at SIZE, moved by SHIFT pixels down and right (pressed look).
#   face OUT W H BACKGROUND TOP BOTTOM BORDER LABEL FONT SIZE COLOUR SHIFT
face() {
  local out=$1 w=$2 h=$3 background=$4 top=$5 bottom=$6 border=$7 label=$8 font=$9
  local size=${10} colour=${11} shift=${12}
  "$convert" -size "${w}x${h}" "gradient:$top-$bottom" \
    \( -size "${w}x${h}" xc:black -fill white -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) 4,4" \) \
    -alpha off -compose CopyOpacity -composite \
    \( -size "${w}x${h}" "xc:$background" \) +swap -compose Over -composite \
    -fill none -stroke "$border" -strokewidth 1 \
    -draw "roundrectangle 0.5,0.5 $((w - 1)).5,$((h - 1)).5 4,4" -stroke none \
    -font "$font" -pointsize "$size" -fill "$colour" -gravity center \
    -annotate "+$shift+$((shift))" "$label" "$out"
}

# The 24 x 24 close button over whatever lies under it in HEADER at (293, 3): an amber tile with a
# white return arrow (down, then back to the left).
#   close_button OUT HEADER TILE SHIFT
close_button() {
  local out=$1 header=$2 tile=$3 shift=$4
  local x=$((0 + shift)) y=$((0 + shift))
  "$convert" "$header" -crop 24x24+293+3 +repage \
    -fill "$tile" -stroke "$amber_dark" -draw "roundrectangle 1.5,1.5 21.5,21.5 4,4" \
    -fill none -stroke white -strokewidth 2 \
    -draw "polyline $((x + 16)),$((y + 6)) $((x + 16)),$((y + 13)) $((x + 8)),$((y + 13))" \
    -stroke none -fill white \
    -draw "polygon $((x + 5)),$((y + 13)) $((x + 10)),$((y + 9)) $((x + 10)),$((y + 17))" "$out"
}

# One row of the tab strip, 320 x 25: the three tab cells (x 0, 60, 130; widths 55, 68, 63;
# 24 high) on the strip colour over a bottom line, plain or highlighted (white with an amber bar).
#   tab_strip OUT plain|highlighted
tab_strip() {
  local out=$1 mode=$2 fill=$cell bar=$cell colour=$ink
  if [ "$mode" = highlighted ]; then
    fill=$white bar=$amber colour=$navy
  fi
  local cells=() x w label
  for tab in "0 55 背景" "60 68 モジュール" "130 63 プラグイン"; do
    read -r x w label <<<"$tab"
    "$convert" -size "${w}x24" "xc:$strip" \
      -fill "$fill" -stroke "$line" -draw "roundrectangle 0.5,2.5 $((w - 1)).5,30 4,4" \
      -stroke none -fill "$bar" -draw "rectangle 3,3 $((w - 4)),5" \
      -font "$japanese" -pointsize 12 -fill "$colour" -gravity center -annotate +0+2 "$label" \
      "$work/tab_$x.png"
    cells+=("$work/tab_$x.png" -geometry "+$x+0" -composite)
  done
  "$convert" -size 320x25 "xc:$strip" -fill "$line" -draw "line 0,24 319,24" "${cells[@]}" "$out"
}

customize_skin() {
  local w=$work
  # Header: title banner (y 0-19), tab strip area (20-44) ending in the strip's line, white
  # below (45-49). Pages lay the first 192 pixels of a tab strip row over the strip area.
  "$convert" -size 320x20 "gradient:$navy_light-$navy" \
    -font "$latin" -pointsize 11 -fill white -annotate +8+14 "Kelvane" \
    -font "$japanese" -pointsize 12 -fill "$amber" -annotate +66+15 "カスタマイズ" \
    \( -size 320x24 "xc:$strip" \) \( -size 320x1 "xc:$line" \) \( -size 320x5 "xc:$white" \) \
    -append "$w/header.png"
  tab_strip "$w/tabs_plain.png" plain
  tab_strip "$w/tabs_highlighted.png" highlighted

  local jp=(11 "$ink")
  face "$w/cancel.png" 60 24 "$white" "$white" "#dde6ef" "$line" "キャンセル" "$japanese" "${jp[@]}" 0
  face "$w/cancel_down.png" 60 24 "$white" "#c9d6e3" "#e6edf4" "$ink" "キャンセル" "$japanese" "${jp[@]}" 1
  face "$w/ok.png" 60 24 "$white" "$navy_light" "$navy" "$navy" "OK" "$latin" 11 white 0
  face "$w/ok_down.png" 60 24 "$white" "$navy" "$navy_light" "$navy" "OK" "$latin" 11 "$amber" 1
  face "$w/update.png" 60 24 "$white" "$white" "#dde6ef" "$line" "更新" "$japanese" "${jp[@]}" 0
  face "$w/update_down.png" 60 24 "$white" "#c9d6e3" "#e6edf4" "$ink" "更新" "$japanese" "${jp[@]}" 1
  jp=(12 "$ink")
  face "$w/config.png" 80 24 "$white" "$white" "#dde6ef" "$line" "設定" "$japanese" "${jp[@]}" 0
  face "$w/config_down.png" 80 24 "$white" "#c9d6e3" "#e6edf4" "$ink" "設定" "$japanese" "${jp[@]}" 1
  face "$w/config_off.png" 80 24 "$white" "$panel" "$panel" "#c8d3de" "" "$latin" 11 white 0
  close_button "$w/close.png" "$w/header.png" "$amber" 0
  close_button "$w/close_down.png" "$w/header.png" "$amber_dark" 1

  # Module page labels: an amber mark and the word, on the white page.
  "$convert" -size 100x15 "xc:$white" -fill "$amber" -draw "rectangle 0,3 3,12" \
    -font "$latin" -pointsize 11 -fill "$navy" -annotate +8+12 "Clock" "$w/label_clock.png"
  "$convert" -size 120x15 "xc:$white" -fill "$amber" -draw "rectangle 0,3 3,12" \
    -font "$latin" -pointsize 11 -fill "$navy" -annotate +8+12 "Information" "$w/label_info.png"

  "$convert" -size 400x400 "xc:$white" \
    "$w/header.png" -geometry +0+0 -composite \
    "$w/cancel.png" -geometry +325+0 -composite "$w/cancel_down.png" -geometry +325+24 -composite \
    "$w/ok.png" -geometry +325+50 -composite "$w/ok_down.png" -geometry +325+74 -composite \
    "$w/update.png" -geometry +325+100 -composite "$w/update_down.png" -geometry +325+124 -composite \
    "$w/close.png" -geometry +325+215 -composite "$w/close_down.png" -geometry +349+215 -composite \
    "$w/tabs_plain.png" -geometry +0+250 -composite \
    "$w/tabs_highlighted.png" -geometry +0+275 -composite \
    "$w/label_clock.png" -geometry +0+300 -composite "$w/label_info.png" -geometry +0+315 -composite \
    "$w/config.png" -geometry +120+300 -composite "$w/config_down.png" -geometry +200+300 -composite \
    "$w/config_off.png" -geometry +280+300 -composite \
    "$w/customize.png"
}

message_skin() {
  local w=$work
  # Body (240 x 160): banner with the name and a small clock emblem, the white text field, and the
  # panel the two buttons stand on at (20, 120) and (120, 120).
  "$convert" -size 320x160 "xc:$panel" \
    \( -size 240x28 "gradient:$navy_light-$navy" \) -geometry +0+0 -composite \
    -font "$latin" -pointsize 12 -fill white -annotate +10+19 "Kelvane" \
    -fill "$white" -stroke "$amber" -strokewidth 2 -draw "circle 220,14 220,5" \
    -stroke "$navy" -strokewidth 1.5 -draw "line 220,14 220,8" -draw "line 220,14 224,16" \
    -stroke none -fill "$navy" -draw "circle 220,14 221,14" \
    -fill "$white" -stroke "$line" -strokewidth 1 -draw "rectangle 6.5,38.5 232.5,113.5" \
    -stroke none -fill "$line" -draw "line 0,159 239,159" -draw "line 239,28 239,159" \
    "$w/message_body.png"

  local jp=(12 "$ink")
  face "$w/accept.png" 70 25 "$panel" "$navy_light" "$navy" "$navy" "OK" "$latin" 11 white 0
  face "$w/accept_down.png" 70 25 "$panel" "$navy" "$navy_light" "$navy" "OK" "$latin" 11 "$amber" 1
  face "$w/refuse.png" 70 25 "$panel" "$white" "#dde6ef" "$line" "キャンセル" "$japanese" "${jp[@]}" 0
  face "$w/refuse_down.png" 70 25 "$panel" "#c9d6e3" "#e6edf4" "$ink" "キャンセル" "$japanese" "${jp[@]}" 1

  "$convert" "$w/message_body.png" \
    "$w/accept.png" -geometry +245+0 -composite "$w/accept_down.png" -geometry +245+25 -composite \
    "$w/refuse.png" -geometry +245+50 -composite "$w/refuse_down.png" -geometry +245+75 -composite \
    "$w/message.png"
}

# 256 colours without dithering, kept as a palette BMP, then a MAG picture.
write_mag() {
  local png=$1 out=$2
  "$convert" "$png" +dither -colors 256 -type Palette -compress None "BMP3:$work/skin.bmp"
  "$work/make_mag" "$work/skin.bmp" "$out" "Kelvane skin"
}

customize_skin
message_skin
write_mag "$work/customize.png" "$root/resources/skin_customize.mag"
write_mag "$work/message.png" "$root/resources/skin_message.mag"
if [ -n "${KELVANE_SKIN_PREVIEW:-}" ]; then
  cp "$work/customize.png" "$KELVANE_SKIN_PREVIEW/skin_customize.png"
  cp "$work/message.png" "$KELVANE_SKIN_PREVIEW/skin_message.png"
fi
