#!/usr/bin/env bash
# Saves a picture of the running clock with Analog.dll in each hand colour scheme
# on each shipped background, under Xvfb, into build/analog-screenshots/
# (BACKGROUND-scheme-N.png, 200 x 200), and all of them side by side in
# contact-sheet.png. The clock is started with its time zone moved so that it
# shows about 10:09, the time at which hands are usually shown.
#   scripts/analog-screenshots.sh [HH:MM]
set -euo pipefail

source "$(dirname "$0")/common.sh"
[ -n "${DISPLAY:-}" ] || "$root/scripts/build.sh" >/dev/null
on_display "$@"
source "$root/scripts/wine-env.sh"
shown=${1:-10:09}
shots="$build/analog-screenshots"
schemes=4
mkdir -p "$shots"

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir -p "$folder"/{clock,info,background}
cp "$windows_build/Kelvane.exe" "$folder/"
cp "$windows_build/Analog.dll" "$folder/clock/"
cp "$windows_build/Mirrick.dll" "$folder/info/"
cp "$root"/resources/background/* "$folder/background/"

# Starts the clock at the screen's top left corner, waits until its face is
# painted and a few seconds have passed, and saves the 200 x 200 face.
shoot() {
  local out=$1 clock painted=0
  TZ=$(time_zone_showing "$shown") wine "$folder/Kelvane.exe" &
  clock=$!
  wait_for_painted_face "$out" && painted=1
  sleep 2
  import -window root -crop 200x200+0+0 +repage "$out"
  wine taskkill /IM Kelvane.exe >/dev/null 2>&1 || true
  wait "$clock" || true
  wineserver -w
  [ "$painted" = 1 ] || { echo "analog-screenshots: the face of $out was never painted" >&2; exit 1; }
}

rows=()
for picture in "$root"/resources/background/*; do
  name=$(basename "${picture%.*}")
  row=()
  for scheme in $(seq 0 $((schemes - 1))); do
    {
      printf '[WINDOW]\r\nPOS_X=0\r\nPOS_Y=0\r\n'
      printf '[BACKGROUND]\r\nFILE=%s\r\n' "$(windows_path "$folder/background/$(basename "$picture")")"
      printf '[OBJECT]\r\nMODULE_PATH=%s\r\nMODULE_NAME=Analog.dll\r\n' \
        "$(windows_path "$folder/clock/Analog.dll")"
      printf 'MODULE_PATH2=%s\r\nMODULE_NAME2=Mirrick.dll\r\n' \
        "$(windows_path "$folder/info/Mirrick.dll")"
    } | iconv -f UTF-8 -t CP932 >"$folder/kelvane.ini"
    printf '[ANALOG]\r\nSECOND_HAND=1\r\nSCHEME=%d\r\nSHADOW=1\r\n' "$scheme" >"$folder/clock/Analog.ini"
    shot="$shots/$name-scheme-$scheme.png"
    shoot "$shot"
    row+=("$shot")
    echo "saved $shot"
  done
  convert "${row[@]}" +append "$folder/row-$name.png"
  rows+=("$folder/row-$name.png")
done
convert "${rows[@]}" -append "$shots/contact-sheet.png"
echo "contact sheet (schemes left to right, backgrounds top to bottom): $shots/contact-sheet.png"
