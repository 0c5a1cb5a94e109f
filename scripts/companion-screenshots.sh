#!/usr/bin/env bash
# Pictures of the clock as a desktop companion, under Xvfb with a compositing
# manager (so that a translucent window shows as one), into
# build/companion-screenshots/: menu.png, the context menu with its Window popup
# open, and half-opaque.png, the clock at 50 % over a picture.
set -euo pipefail

source "$(dirname "$0")/common.sh"
[ -n "${DISPLAY:-}" ] || "$root/scripts/build.sh" >/dev/null
on_display "$@"
shots="$build/companion-screenshots"
source "$root/scripts/wine-env.sh"
mkdir -p "$shots"

folder=$(mktemp -d)
helpers=()
stop() {
  wineserver -k 2>/dev/null || true
  [ ${#helpers[@]} -eq 0 ] || kill "${helpers[@]}" 2>/dev/null || true
  rm -rf "$folder"
}
trap stop EXIT
mkdir -p "$folder"/{clock,info,background}
cp "$windows_build/Kelvane.exe" "$folder/"
cp "$windows_build/Analog.dll" "$folder/clock/"
cp "$windows_build/Mirrick.dll" "$folder/info/"
cp "$root/resources/background/dawn_lake.orb" "$folder/background/"
# The settings, with extra lines for the [WINDOW] section.
write_settings() {
  printf '[WINDOW]\r\nPOS_X=140\r\nPOS_Y=90\r\n%s[BACKGROUND]\r\nFILE=background\\dawn_lake.orb\r\n' \
    "$1" >"$folder/kelvane.ini"
  printf '[OBJECT]\r\nMODULE_PATH=clock\\Analog.dll\r\nMODULE_PATH2=info\\Mirrick.dll\r\n' \
    >>"$folder/kelvane.ini"
}
write_settings ""

xcompmgr >/dev/null 2>&1 &
helpers+=($!)
# A picture behind the clock: the meadow, stretched over the corner of the screen.
convert "$root/resources/background/meadow.bmp" -resize 480x380! "$folder/behind.png"
display -geometry +0+0 "$folder/behind.png" &
helpers+=($!)
sleep 1

start_clock() {
  wine "$folder/Kelvane.exe" &
  clock=$(wait_for_x_window '^200x200$' "the clock")
  sleep 2
}
stop_clock() {
  wine taskkill /IM Kelvane.exe >/dev/null 2>&1 || true
  wineserver -w
}

start_clock
xdotool mousemove 240 140 click 3
sleep 1
xdotool key Down Right
sleep 1
import -window root -crop 560x420+0+0 +repage "$shots/menu.png"
xdotool key Escape Escape
stop_clock

write_settings 'OPACITY=50\r\n'
start_clock
import -window root -crop 480x380+0+0 +repage "$shots/half-opaque.png"
stop_clock
echo "screenshots in $shots: menu.png half-opaque.png"
