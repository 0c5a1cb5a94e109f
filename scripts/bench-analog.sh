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
#   often under this Wine;
# - the wake-ups of the sweeping clock next to the same bare window's.
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
printf '[OBJECT]\r\nMODULE_PATH=clock\\Analog.dll\r\nMODULE_PATH2=info\\Mirrick.dll\r\n' \
  >"$folder/kelvane.ini"
ticks=$(getconf CLK_TCK)

# The clock with Analog's second hand in mode $1 (SECOND_HAND in Analog.ini).
measure_clock() {
  printf '[ANALOG]\r\nSECOND_HAND=%d\r\n' "$1" >"$folder/clock/Analog.ini"
  measure_process "$folder" Kelvane.exe "$seconds"
}

read -r sweep_cpu sweep_woken _ < <(measure_clock 2)
read -r step_cpu step_woken _ < <(measure_clock 1)
read -r floor_cpu floor_woken _ < <(measure_process "$folder" idle_window.exe "$seconds" 50 copy)
resolution_ms=$((1000 / ticks))
report() {
  awk -v label="$1" -v used="$2" -v hz="$ticks" -v s="$seconds" -v ms="$resolution_ms" 'BEGIN {
    printf "over %d s: %s %.3f%% of one core (CPU time %d ms, resolution %d ms)\n",
      s, label, 100 * used / hz / s, used * ms, ms
  }'
}
report "Kelvane with Analog sweeping and Mirrick" "$sweep_cpu"
report "Kelvane with Analog once a second and Mirrick" "$step_cpu"
report "floor: a bare window copying 200 x 200 16-bit pixels every 50 ms" "$floor_cpu"
awk -v a="$sweep_cpu" -v b="$step_cpu" -v f="$floor_cpu" 'BEGIN {
  printf "ratio sweeping / once a second: %.2f\n", (b > 0 ? a / b : 0)
  printf "ratio sweeping / floor: %.2f\n", (f > 0 ? a / f : 0)
}'
print_rate "wake-ups of Kelvane with Analog sweeping over $seconds s" "$sweep_woken" "$floor_woken" \
  "$seconds"
