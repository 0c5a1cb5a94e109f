#!/usr/bin/env bash
# Builds the clock, lays out a ready program folder in build/program and starts
# it: on your display, or, with no DISPLAY, on a private screen from which it
# saves a screenshot (build/screenshot.png) and then closes the clock.
set -euo pipefail

source "$(dirname "$0")/common.sh"
program="$build/program"

"$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"

mkdir -p "$program"/{clock,info,plugin,background}
cp "$windows_build/Kelvane.exe" "$program/"
cp "$windows_build/Analog.dll" "$program/clock/"
cp "$windows_build/Mirrick.dll" "$program/info/"
cp "$windows_build/wallpaper.dll" "$windows_build/chime.dll" "$program/plugin/"
[ -f "$program/plugin/enable.txt" ] || printf 'wallpaper.dll\r\nchime.dll\r\n' >"$program/plugin/enable.txt"
cp "$root"/resources/background/* "$program/background/"

# A first start gets settings that show a sample background, the hands and the
# time; the settings file holds full Windows paths in code page 932.
if [ ! -f "$program/kelvane.ini" ]; then
  {
    printf '[BACKGROUND]\r\nFILE=%s\r\n' "$(windows_path "$program/background/dawn_lake.orb")"
    printf '[OBJECT]\r\nMODULE_PATH=%s\r\n' "$(windows_path "$program/clock/Analog.dll")"
    printf 'MODULE_NAME=Analog.dll\r\n'
    printf 'MODULE_PATH2=%s\r\n' "$(windows_path "$program/info/Mirrick.dll")"
    printf 'MODULE_NAME2=Mirrick.dll\r\n'
  } | iconv -f UTF-8 -t CP932 >"$program/kelvane.ini"
fi

if [ -n "${DISPLAY:-}" ]; then
  exec "$root/scripts/wine-run.sh" "$program/Kelvane.exe"
fi
exec "$root/scripts/with-display.sh" "$root/scripts/preview.sh" "$program"
