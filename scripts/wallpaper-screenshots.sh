#!/usr/bin/env bash
# Saves pictures of the wallpaper plug-in's settings dialog under Xvfb into
# build/wallpaper-screenshots/: centred.png, tiled.png, stretched.png, fill.png and
# fit.png, each with a JPEG photograph previewed in that display style. Starts the built clock with only
# wallpaper.dll in a Wine prefix of its own (so the desktop colour and style set
# here reach no test), opens the dialog from the context menu and previews the
# first picture of the list with the keyboard, as a user would.
set -euo pipefail

source "$(dirname "$0")/common.sh"
on_display "$@"
shots="$build/wallpaper-screenshots"
export WINEPREFIX="$shots/wineprefix"
source "$root/scripts/wine-env.sh"
program="$shots/program"
pictures="$shots/pictures"
rm -rf "$program" "$pictures"
mkdir -p "$program/plugin" "$pictures"
cp "$windows_build/Kelvane.exe" "$program/"
cp "$windows_build/wallpaper.dll" "$program/plugin/"
printf 'wallpaper.dll\r\n' >"$program/plugin/enable.txt"

# A 1600 x 900 JPEG photograph of a harbour at dusk, wider than the 4:3 screen so
# that fill and fit differ from stretching; and two 320 x 240 pictures as
# uncompressed bottom-up BMP files: a sunset over hills, and a chequered pattern
# under a Japanese name, so that the list shows one. The photograph sorts first.
convert -size 1600x900 gradient:'#1d2b64-#f8a35b' \
  -fill '#ffd98a' -draw 'circle 800,560 800,480' \
  -fill '#173042' -draw 'rectangle 0,600 1599,899' \
  -fill '#2b4a5e' -draw 'polygon 0,600 300,480 520,600' -draw 'polygon 1000,600 1350,420 1599,600' \
  -fill '#ffe2a8' -draw 'rectangle 780,610 820,899' \
  -fill white -draw 'rectangle 0,0 1599,5' -fill '#101010' -draw 'rectangle 0,894 1599,899' \
  -quality 92 "$pictures/harbour.jpg"
convert -size 320x240 gradient:'#ffb060-#503090' \
  -fill '#ffe070' -draw 'circle 160,150 160,115' \
  -fill '#2e5a3a' -draw 'polygon 0,240 0,170 70,140 160,185 250,130 320,165 320,240' \
  -fill white -draw 'rectangle 0,0 319,3' -fill '#202020' -draw 'rectangle 0,236 319,239' \
  BMP3:"$pictures/sunset.bmp"
convert -size 320x240 pattern:checkerboard -fill '#3070c0' -opaque '#999999' \
  BMP3:"$pictures/模様.bmp"

plugin_key='HKCU\Software\Ornwick\Kelvane Vesk\plugin\wallpaper'
wine reg add "$plugin_key" /v FOLDER_PATH /d "$(windows_path "$pictures")" /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Colors' /v Background /d '58 110 165' /f >/dev/null 2>&1
# Wine stands in the fixed-pitch IPA Gothic for the dialog's proportional "ＭＳ Ｐゴシック",
# whose narrower Latin letters make every dialog unit a pixel too small; the
# proportional IPA P Gothic measures as the template's font does.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f \
  >/dev/null 2>&1
wineserver -w

# The dialog: wider than 250 pixels, unlike the clock.
dialog_geometry='^(2[5-9][0-9]|[3-9][0-9]{2}|[0-9]{4,})x[0-9]+$'

clock_pid=
stop_clock() {
  wineserver -k 2>/dev/null || true
  [ -z "$clock_pid" ] || wait "$clock_pid" 2>/dev/null || true
}
trap stop_clock EXIT

shoot() {
  local name=$1 tile=$2 style=$3
  wine reg add 'HKCU\Control Panel\desktop' /v TileWallpaper /d "$tile" /f >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\desktop' /v WallpaperStyle /d "$style" /f >/dev/null 2>&1
  wine "$program/Kelvane.exe" &
  clock_pid=$!
  local clock dialog
  clock=$(wait_for_x_window '^200x200$' "the clock")
  eval "$(xdotool getwindowgeometry --shell "$clock")"
  # The plug-in's item stands above the separator over "hide" and "close".
  xdotool mousemove $((X + 100)) $((Y + 100)) click 3
  sleep 1
  xdotool key Up Up Up Return
  dialog=$(wait_for_x_window "$dialog_geometry" "the wallpaper dialog")
  sleep 0.5
  # Focus starts on OK; the file list comes next. End and Home select "無し" and
  # then the first picture, each a selection change that previews.
  xdotool key Tab End Home
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$dialog")"
  import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" "$shots/$name.png"
  xdotool key Escape
  wine taskkill /IM Kelvane.exe >/dev/null 2>&1 || true
  wait "$clock_pid" || true
  wineserver -w
}

shoot centred 0 0
shoot tiled 1 0
shoot stretched 0 2
shoot fill 0 10
shoot fit 0 6
echo "screenshots in $shots: centred.png tiled.png stretched.png fill.png fit.png"
