#!/usr/bin/env bash
# Saves pictures of the customize dialog under Xvfb into build/screenshots/: each
# of its three pages, and the whole screen with the clock and the dialog open.
# Starts the clock as scripts/run.sh lays it out, opens the dialog with Space and
# switches pages with clicks on the tabs, as a user would.
set -euo pipefail

source "$(dirname "$0")/common.sh"
on_display "$@"
shots="$build/screenshots"
mkdir -p "$shots"

"$root/scripts/run.sh" >"$shots/run.log" 2>&1 &
runner=$!
stop_clock() {
  (source "$root/scripts/wine-env.sh" && wineserver -k) 2>/dev/null || true
  wait "$runner" 2>/dev/null || true
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
  import -window root -crop "326x246+$dialog_x+$dialog_y" "$shots/page$page.png"
done
import -window root "$shots/clock_with_dialog.png"
xdotool key Escape
sleep 0.5
echo "screenshots in $shots: page1.png page2.png page3.png clock_with_dialog.png"
