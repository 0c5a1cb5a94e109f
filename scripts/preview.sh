#!/usr/bin/env bash
# Starts the clock of a program folder on the current (private) display, saves a
# screenshot once its face is painted, and closes it again.
#   scripts/preview.sh PROGRAM_FOLDER
set -euo pipefail

program=$1
source "$(dirname "$0")/wine-env.sh"
shot="$build/screenshot.png"

# A Wine session still running from before this screen existed (the settings
# were written with Wine's help) keeps its desktop off this screen, and the
# clock would never show: let it end first.
wineserver -w
wine "$program/Kelvane.exe" &
clock=$!
painted=1
wait_for_painted_face "$shot" || painted=0
import -window root -crop 320x320+0+0 "$shot"
wine taskkill /IM Kelvane.exe >/dev/null 2>&1 || true
wait "$clock" || true
wineserver -w
if [ "$painted" = 0 ]; then
  echo "The clock's face was never painted within 60 s; screenshot of what showed: $shot" >&2
  exit 1
fi
echo "The clock runs on a private screen; screenshot: $shot"
