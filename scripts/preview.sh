#!/usr/bin/env bash
# Starts the clock of a program folder on the current (private) display, saves a
# screenshot once it shows, and closes it again.
#   scripts/preview.sh PROGRAM_FOLDER
set -euo pipefail

program=$1
source "$(dirname "$0")/wine-env.sh"
shot="$build/screenshot.png"

wine "$program/Kelvane.exe" &
clock=$!
for _ in $(seq 1 300); do
  xdotool search --name '^Kelvane$' >/dev/null 2>&1 && break
  sleep 0.1
done
# Let a few ticks compose before the picture is taken.
sleep 2
import -window root -crop 320x320+0+0 "$shot"
echo "The clock runs on a private screen; screenshot: $shot"
wine taskkill /IM Kelvane.exe >/dev/null 2>&1 || true
wait "$clock" || true
wineserver -w
