#!/usr/bin/env bash
# Prints what the clock module Analog costs:
# - one DrawClock on the clock's 200 x 200 16-bit surface next to one 200 x 200
#   16-bit BitBlt measured in the same run, and Mirrick's DrawInfoScaled with
#   Analog's DrawClockScaled at 300 x 300, alone and within a composition, next
#   to the composition's two 300 x 300 BitBlts (bench/analog_bench.cpp);
# - the CPU time of the running clock with Analog and Mirrick over SECONDS
#   (default 60), once with the sweeping second hand and once with the second
#   hand moving once a second, one after the other, as a share of one core and
#   as the ratio of the two; next to them a bare window that copies a 200 x 200
#   16-bit picture onto itself every 50 ms, the floor of any face shown that
#   often under this Wine.
#   scripts/bench-analog.sh [SECONDS]
set -euo pipefail

source "$(dirname "$0")/common.sh"
seconds=${1:-60}

[ -n "${DISPLAY:-}" ] || "$root/scripts/build.sh" >/dev/null
on_display "$@"
source "$root/scripts/wine-env.sh"

# Through a pipe, Wine hands the program's UTF-8 bytes on as they are.
wine "$windows_build/analog_bench.exe" | cat
wineserver -w

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir -p "$folder"/{clock,info}
cp "$windows_build/Kelvane.exe" "$windows_build/idle_window.exe" "$folder/"
cp "$windows_build/Analog.dll" "$folder/clock/"
cp "$windows_build/Mirrick.dll" "$folder/info/"
{
  printf '[OBJECT]\r\nMODULE_PATH=%s\r\nMODULE_NAME=Analog.dll\r\n' \
    "$(windows_path "$folder/clock/Analog.dll")"
  printf 'MODULE_PATH2=%s\r\nMODULE_NAME2=Mirrick.dll\r\n' "$(windows_path "$folder/info/Mirrick.dll")"
} | iconv -f UTF-8 -t CP932 >"$folder/kelvane.ini"
ticks=$(getconf CLK_TCK)

# Prints "cpu_percent ticks" for `program` in the folder, run with `args`, over
# the period.
measure() {
  local program=$1 pid start end
  shift
  wine "$folder/$program" "$@" &
  for _ in $(seq 1 100); do
    pid=$(pgrep -f "$folder/$program" | head -n 1 || true)
    [ -n "$pid" ] && break
    sleep 0.1
  done
  sleep 3  # past start-up
  start=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep "$seconds"
  end=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  wine taskkill /IM "$program" >/dev/null 2>&1 || true
  wineserver -w
  awk -v used=$((end - start)) -v hz="$ticks" -v s="$seconds" \
    'BEGIN {printf "%.3f %d\n", 100 * used / hz / s, used}'
}

# The clock with Analog's second hand in mode $1 (SECOND_HAND in Analog.ini).
measure_clock() {
  printf '[ANALOG]\r\nSECOND_HAND=%d\r\n' "$1" >"$folder/clock/Analog.ini"
  measure Kelvane.exe
}

read -r sweep_cpu sweep_ticks < <(measure_clock 2)
read -r step_cpu step_ticks < <(measure_clock 1)
read -r floor_cpu floor_ticks < <(measure idle_window.exe 50 copy)
resolution_ms=$((1000 / ticks))
report() {
  echo "over $seconds s: $1 $2% of one core (CPU time $(($3 * resolution_ms)) ms, resolution $resolution_ms ms)"
}
report "Kelvane with Analog sweeping and Mirrick" "$sweep_cpu" "$sweep_ticks"
report "Kelvane with Analog once a second and Mirrick" "$step_cpu" "$step_ticks"
report "floor: a bare window copying 200 x 200 16-bit pixels every 50 ms" "$floor_cpu" "$floor_ticks"
awk -v a="$sweep_cpu" -v b="$step_cpu" -v f="$floor_cpu" 'BEGIN {
  printf "ratio sweeping / once a second: %.2f\n", (b > 0 ? a / b : 0)
  printf "ratio sweeping / floor: %.2f\n", (f > 0 ? a / f : 0)
}'
