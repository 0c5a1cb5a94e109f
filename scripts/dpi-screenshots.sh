#!/usr/bin/env bash
# Draws the clock's face (Mirrick and Analog over a shipped background) at 200, 300
# and 400 pixels, the sizes of 96, 144 and 192 DPI, through the modules' scaled
# exports (bench/scaled_face_shot.cpp), as a screen of that DPI shows it: the
# background enlarged with a Lanczos filter, the hands and the box drawn at the
# size, the clock's outline made at the size. Saves them into
# build/dpi-screenshots/ and makes docs/dpi-faces.png (the three side by side)
# and docs/dpi-zoom.png (the middle of the face at 192 DPI, drawn at 400, next
# to the 200 face stretched twice, as the system shows a program that is not DPI
# aware, both zoomed three times).
#   scripts/dpi-screenshots.sh [HH:MM:SS]
set -euo pipefail

source "$(dirname "$0")/common.sh"
[ -n "${DISPLAY:-}" ] || "$root/scripts/build.sh" >/dev/null
on_display "$@"
source "$root/scripts/wine-env.sh"
shown=${1:-10:09:36}
shots="$build/dpi-screenshots"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
mkdir -p "$shots"

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$windows_build/scaled_face_shot.exe" "$windows_build/Analog.dll" "$windows_build/Mirrick.dll" \
  "$folder/"
# Black hands with the red second hand, for the light meadow.
printf '[ANALOG]\r\nSECOND_HAND=1\r\nSCHEME=2\r\nSHADOW=1\r\n' >"$folder/Analog.ini"

shot() { wine "$folder/scaled_face_shot.exe" "$@"; }

shot background "$(windows_path "$root/resources/background/meadow.bmp")" \
  "$(windows_path "$folder/background-200.bmp")"
for size in 200 300 400; do
  convert "$folder/background-200.bmp" -filter Lanczos -resize "${size}x${size}" \
    -type TrueColor BMP3:"$folder/background-$size.bmp"
  shot face "$(windows_path "$folder/background-$size.bmp")" "$size" "$shown" \
    "$(windows_path "$folder/face-$size.bmp")"
  convert "$folder/face-$size.bmp" "$shots/face-$size.png"
  echo "saved $shots/face-$size.png"
done

# Today's face on a 192 DPI screen: the 200 face stretched by the system.
convert "$shots/face-200.png" -filter Triangle -resize 200% "$shots/face-200-stretched.png"

label() { convert "$1" -background white -font "$font" -pointsize 14 label:"$2" -gravity center -append "$3"; }
label "$shots/face-200.png" "96 DPI: 200 × 200" "$folder/l200.png"
label "$shots/face-300.png" "144 DPI: 300 × 300" "$folder/l300.png"
label "$shots/face-400.png" "192 DPI: 400 × 400" "$folder/l400.png"
convert "$folder/l200.png" "$folder/l300.png" "$folder/l400.png" -bordercolor white -border 6 \
  -background white -gravity south +append -strip "$root/docs/dpi-faces.png"

crop=150x170+125+160
convert "$shots/face-200-stretched.png" -crop "$crop" +repage -filter point -resize 300% \
  "$folder/z-stretched.png"
convert "$shots/face-400.png" -crop "$crop" +repage -filter point -resize 300% "$folder/z-drawn.png"
label "$folder/z-stretched.png" "before: the 200 face stretched to 400" "$folder/lz1.png"
label "$folder/z-drawn.png" "now: drawn at 400" "$folder/lz2.png"
convert "$folder/lz1.png" "$folder/lz2.png" -bordercolor white -border 6 -background white \
  -gravity south +append -strip "$root/docs/dpi-zoom.png"
echo "saved $root/docs/dpi-faces.png and $root/docs/dpi-zoom.png"
