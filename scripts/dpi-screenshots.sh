#!/usr/bin/env bash
# Pictures of the running clock (Analog and Mirrick over the meadow) at 96, 144
# and 192 DPI, taken under Xvfb with Wine's screen DPI set for each start in a
# prefix of its own: build/dpi-screenshots/face-200.png, face-300.png and
# face-400.png, docs/dpi-faces.png (the three side by side) and docs/dpi-zoom.png
# (the middle of the face at 192 DPI next to the 200 face stretched twice, as the
# system shows a program that is not DPI aware, both zoomed three times). The
# clock is started with its time zone moved so that it shows about 10:09.
#   scripts/dpi-screenshots.sh [HH:MM]
set -euo pipefail

source "$(dirname "$0")/common.sh"
[ -n "${DISPLAY:-}" ] || "$root/scripts/build.sh" >/dev/null
on_display "$@"
shots="$build/dpi-screenshots"
export WINEPREFIX="$shots/wineprefix"
source "$root/scripts/wine-env.sh"
shown=${1:-10:09}
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
mkdir -p "$shots"

folder=$(mktemp -d)
trap 'rm -rf "$folder"; wineserver -k 2>/dev/null || true' EXIT
mkdir -p "$folder"/{clock,info,background}
cp "$windows_build/Kelvane.exe" "$folder/"
cp "$windows_build/Analog.dll" "$folder/clock/"
cp "$windows_build/Mirrick.dll" "$folder/info/"
cp "$root/resources/background/meadow.bmp" "$folder/background/"
printf '[WINDOW]\r\nPOS_X=0\r\nPOS_Y=0\r\n[BACKGROUND]\r\nFILE=background\\meadow.bmp\r\n' >"$folder/kelvane.ini"
printf '[OBJECT]\r\nMODULE_PATH=clock\\Analog.dll\r\nMODULE_PATH2=info\\Mirrick.dll\r\n' \
  >>"$folder/kelvane.ini"
# Black hands with the red second hand, for the light meadow.
printf '[ANALOG]\r\nSECOND_HAND=1\r\nSCHEME=2\r\nSHADOW=1\r\n' >"$folder/clock/Analog.ini"

for dpi in 96 144 192; do
  size=$((200 * dpi / 96))
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  TZ=$(time_zone_showing "$shown") wine "$folder/Kelvane.exe" &
  clock=$!
  wait_for_x_window "^${size}x${size}\$" "the clock at $dpi DPI" >/dev/null
  sleep 2
  import -window root -crop "${size}x${size}+0+0" +repage "$shots/face-$size.png"
  wine taskkill /IM Kelvane.exe >/dev/null 2>&1 || true
  wait "$clock" || true
  wineserver -w
  echo "saved $shots/face-$size.png"
done
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1

# Before: the 200 face stretched by the system on a 192 DPI screen.
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
