#!/usr/bin/env bash
# Saves pictures of the customize dialog under Xvfb into build/screenshots/: each
# of its three pages (page 1 listing photographs after the sample backgrounds),
# the face with a photograph picked on page 1, and the whole screen with the clock
# and the dialog open. Starts the clock as scripts/run.sh lays it out, with three
# photographs (JPEG, PNG, GIF) made here added to its background folder, opens the
# dialog with Space and switches pages with clicks on the tabs, as a user would.
# The program folder's settings are put back afterwards.
set -euo pipefail

source "$(dirname "$0")/common.sh"
on_display "$@"
shots="$build/screenshots"
program="$build/program"
mkdir -p "$shots" "$program/background"

# Photograph-like pictures: a harbour at dusk, a field of flowers whose corners are
# transparent, and a night sky; Japanese names, as a user's files have.
convert -size 1600x1200 gradient:'#1d2b64-#f8a35b' \
  -fill '#ffd98a' -draw 'circle 800,780 800,690' \
  -fill '#173042' -draw 'rectangle 0,820 1599,1199' \
  -fill '#2b4a5e' -draw 'polygon 0,820 300,700 520,820' -draw 'polygon 1000,820 1350,640 1599,820' \
  -fill '#ffe2a8' -draw 'rectangle 780,830 820,1199' -quality 92 "$program/background/港の夕暮れ.jpg"
convert -size 900x600 gradient:'#9fd6ff-#e9f7ff' \
  -fill '#3f8f3a' -draw 'rectangle 0,380 899,599' \
  -fill '#ff6fa8' -draw 'circle 200,470 200,440' -draw 'circle 450,500 450,468' -draw 'circle 700,460 700,432' \
  -fill '#ffd23f' -draw 'circle 330,520 330,498' -draw 'circle 580,440 580,420' \
  \( +clone -alpha extract -fill black -colorize 100 -fill white -draw 'roundrectangle 0,0 899,599 120,120' \) \
  -alpha off -compose CopyOpacity -composite "$program/background/花畑.png"
convert -size 400x400 gradient:'#020414-#14254d' \
  -fill white -draw 'point 40,60' -draw 'point 120,30' -draw 'point 300,90' -draw 'point 350,200' \
  -draw 'circle 90,150 92,150' -draw 'circle 260,60 262,60' -draw 'circle 200,260 203,260' \
  -fill '#fff6c8' -draw 'circle 310,300 310,255' -fill '#14254d' -draw 'circle 330,285 330,245' \
  "$program/background/星空.gif"

saved_settings=
[ -f "$program/kelvane.ini" ] && saved_settings=$(mktemp) && cp "$program/kelvane.ini" "$saved_settings"

"$root/scripts/run.sh" >"$shots/run.log" 2>&1 &
runner=$!
stop_clock() {
  (source "$root/scripts/wine-env.sh" && wineserver -k) 2>/dev/null || true
  wait "$runner" 2>/dev/null || true
  [ -z "$saved_settings" ] || mv "$saved_settings" "$program/kelvane.ini"
}
trap stop_clock EXIT

# run.sh builds first.
clock=$(wait_for_x_window '^200x200$' "the clock" 180)
sleep 2  # a few faces, so that the time shows
# A click gives the clock the keyboard; Space opens the dialog.
eval "$(xdotool getwindowgeometry --shell "$clock")"
xdotool mousemove $((X + 100)) $((Y + 60)) click 1
sleep 0.5
xdotool key space
dialog=$(wait_for_x_window '^326x246$' "the customize dialog")
eval "$(xdotool getwindowgeometry --shell "$dialog")"
dialog_x=$X dialog_y=$Y

# Client coordinates lie 3 pixels inside the dialog's frame; tabs at x 0, 60, 130.
for page in 1 2 3; do
  tab_x=$((dialog_x + 3 + (page == 1 ? 27 : page == 2 ? 94 : 161)))
  xdotool mousemove "$tab_x" $((dialog_y + 3 + 32)) click 1
  sleep 1.5
  if [ "$page" = 1 ]; then
    # A click on the first row gives the list the keyboard; End picks the last
    # row, a photograph, which the face shows at once.
    xdotool mousemove $((dialog_x + 3 + 100)) $((dialog_y + 3 + 78)) click 1
    sleep 0.5
    xdotool key End
    sleep 1.5
  fi
  import -window root -crop "326x246+$dialog_x+$dialog_y" "$shots/page$page.png"
done
import -window root "$shots/clock_with_dialog.png"
# OK closes the dialog, which covers the foot of the face.
xdotool mousemove $((dialog_x + 282)) $((dialog_y + 223)) click 1
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$clock")"
import -window root -crop "200x200+$X+$Y" "$shots/face_photo.png"
echo "screenshots in $shots: page1.png face_photo.png page2.png page3.png clock_with_dialog.png"
