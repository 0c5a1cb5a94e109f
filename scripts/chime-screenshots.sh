#!/usr/bin/env bash
# Saves pictures of the chime plug-in under Xvfb into build/chime-screenshots/:
# settings.png, its settings dialog with three alarms in the list; editor.png, the
# first alarm open in the alarm editor over it; ringing.png, the clock with the
# window of a ringing alarm beside it. Starts the built clock with only chime.dll
# in a Wine prefix of its own and opens the dialogs from the context menu and with
# the keyboard, as a user would; for the last it sets an alarm for the coming
# minute, starts the clock again (with Analog on the shipped lake background) and
# waits for the alarm (up to a minute).
set -euo pipefail

if [ -z "${DISPLAY:-}" ]; then
  exec "$(dirname "$0")/with-display.sh" "$0" "$@"
fi
source "$(dirname "$0")/common.sh"
shots="$build/chime-screenshots"
export WINEPREFIX="$shots/wineprefix"
source "$root/scripts/wine-env.sh"
program="$shots/program"
rm -rf "$program"
mkdir -p "$program"/{clock,plugin,background}
cp "$windows_build/Kelvane.exe" "$program/"
cp "$windows_build/Analog.dll" "$program/clock/"
cp "$windows_build/chime.dll" "$program/plugin/"
printf 'chime.dll\r\n' >"$program/plugin/enable.txt"
cp "$root/resources/background/dawn_lake.orb" "$program/background/"
printf '[BACKGROUND]\r\nFILE=%s\r\n[OBJECT]\r\nMODULE_PATH=%s\r\nMODULE_NAME=Analog.dll\r\n' \
  "$(windows_path "$program/background/dawn_lake.orb")" "$(windows_path "$program/clock/Analog.dll")" |
  iconv -f UTF-8 -t CP932 >"$program/kelvane.ini"

key='HKCU\Software\Ornwick\Kelvane Vesk\plugin\chime'
number() { wine reg add "$key" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1; }
text() { wine reg add "$key" /v "$1" /d "$2" /f >/dev/null 2>&1; }
wine reg delete "$key" /f >/dev/null 2>&1 || true
number CHIME 1
number ALARM_COUNT 3
number ALARM_1_TIME 630
number ALARM_1_DAYS 62
text ALARM_1_LABEL 起床
number ALARM_2_TIME 1215
number ALARM_2_SOUND 0
text ALARM_2_LABEL 昼休み
number ALARM_3_TIME 1900
number ALARM_3_DAYS 0
number ALARM_3_DATE "$(date -d tomorrow +%Y%m%d)"
text ALARM_3_LABEL 歯医者の予約
number ALARM_3_ENABLED 0
# As for the wallpaper plug-in's pictures: the proportional IPA P Gothic measures
# as the templates' "ＭＳ Ｐゴシック" does.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f \
  >/dev/null 2>&1
wineserver -w

# The visible X window of the clock's process titled exactly so, once it is shown.
wait_for_window() {
  local id
  for _ in $(seq 1 400); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) &&
      [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  echo "chime-screenshots: no window \"$1\" appeared" >&2
  return 1
}

clock_pid=
stop_clock() {
  wine taskkill /IM Kelvane.exe >/dev/null 2>&1 || true
  [ -z "$clock_pid" ] || wait "$clock_pid" 2>/dev/null || true
  wineserver -w
}
trap 'wineserver -k 2>/dev/null || true' EXIT

start_clock() {
  wine "$program/Kelvane.exe" &
  clock_pid=$!
  clock=$(wait_for_window Kelvane)
}

shoot() {
  local window=$1 name=$2
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" "$shots/$name.png"
}

start_clock
eval "$(xdotool getwindowgeometry --shell "$clock")"
# The plug-in's item stands above the separator over "hide" and "close".
xdotool mousemove $((X + 100)) $((Y + 100)) click 3
sleep 1
xdotool key Up Up Up Return
settings=$(wait_for_window 時報とアラーム)
sleep 1
shoot "$settings" settings
xdotool key alt+e
editor=$(wait_for_window アラームの設定)
sleep 1
shoot "$editor" editor
xdotool key Escape
sleep 0.5
xdotool key Escape
stop_clock

# An alarm a minute or two ahead: the clock reads its settings when it starts.
soon=$(date -d "+$(( $(date +%S) > 50 ? 2 : 1 )) min" +%H%M)
number ALARM_COUNT 4
number ALARM_4_TIME "$((10#$soon))"
text ALARM_4_LABEL 会議の時間です
start_clock
ringing=$(wait_for_window アラーム)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$clock")"
left=$X top=$Y right=$((X + WIDTH)) bottom=$((Y + HEIGHT))
eval "$(xdotool getwindowgeometry --shell "$ringing")"
left=$((X < left ? X : left)) top=$((Y < top ? Y : top))
right=$((X + WIDTH > right ? X + WIDTH : right)) bottom=$((Y + HEIGHT > bottom ? Y + HEIGHT : bottom))
import -window root -crop "$((right - left + 20))x$((bottom - top + 20))+$((left - 10))+$((top - 10))" \
  "$shots/ringing.png"
stop_clock
echo "screenshots in $shots: settings.png editor.png ringing.png"
