#!/usr/bin/env bash
# Measures what the running clock costs while it ticks once a second, with
# Mirrick and Analog (second hand once a second): its wake-ups (voluntary context
# switches of all its threads), its CPU time and its resident memory over a
# period, next to a bare window with a 1 s timer that copies a 200 x 200 16-bit
# picture onto itself at each tick, the least any once-a-second face costs.
#   scripts/measure-idle.sh [SECONDS]
# /proc counts CPU time in 10 ms ticks; each CPU figure gives its resolution as a
# share of itself.
set -euo pipefail

source "$(dirname "$0")/common.sh"
seconds=${1:-120}
[ -n "${DISPLAY:-}" ] || "$root/scripts/build.sh" >/dev/null
on_display "$@"
source "$root/scripts/wine-env.sh"

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir -p "$folder/info" "$folder/clock"
cp "$windows_build/Kelvane.exe" "$windows_build/idle_window.exe" "$folder/"
cp "$windows_build/Mirrick.dll" "$folder/info/"
cp "$windows_build/Analog.dll" "$folder/clock/"
printf '[OBJECT]\r\nMODULE_PATH=clock\\Analog.dll\r\nMODULE_PATH2=info\\Mirrick.dll\r\n' \
  >"$folder/kelvane.ini"
printf '[ANALOG]\r\nSECOND_HAND=1\r\n' >"$folder/clock/Analog.ini"
ticks=$(getconf CLK_TCK)

# The CPU time behind a figure and what one tick of it is worth.
resolution() {
  awk -v used="$1" -v hz="$ticks" 'BEGIN {
    printf "CPU time %.0f ms, resolution %.0f ms", 1000 * used / hz, 1000 / hz
    if (used >= 10) printf " = %.1f %% of it", 100 / used
    else printf ", more than 10 %% of it: only %d ticks, measure longer", used
  }'
}

read -r clock_cpu clock_woken clock_rss < <(measure_process "$folder" Kelvane.exe "$seconds")
read -r bare_cpu bare_woken bare_rss < <(measure_process "$folder" idle_window.exe "$seconds" 1000 copy)
print_rate "wake-ups of Kelvane with Mirrick and Analog over $seconds s" "$clock_woken" \
  "$bare_woken" "$seconds"
awk -v a="$clock_cpu" -v b="$bare_cpu" -v hz="$ticks" -v s="$seconds" 'BEGIN {
  printf "CPU of Kelvane with Mirrick and Analog: %.3f%% of one core (floor %.3f%%, ratio %.2f)\n",
    100 * a / hz / s, 100 * b / hz / s, (b > 0 ? a / b : 0)
}'
echo "  Kelvane: $(resolution "$clock_cpu"); floor: $(resolution "$bare_cpu")"
echo "resident memory: Kelvane $clock_rss KiB, floor $bare_rss KiB"
