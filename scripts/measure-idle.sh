#!/usr/bin/env bash
# Measures what the running clock costs while it ticks: CPU time of the Kelvane
# process over a period with Mirrick loaded, and its resident memory, next to a
# bare window that runs a 100 ms timer and nothing else.
#   scripts/measure-idle.sh [SECONDS]
# Both use about 0.2 % of a core, and /proc counts CPU time in 10 ms ticks: the
# default of 120 s gives each some 20 to 30 ticks, so that one tick stays well
# below 10 % of the figure.
set -euo pipefail

source "$(dirname "$0")/common.sh"
seconds=${1:-120}

[ -n "${DISPLAY:-}" ] || "$root/scripts/build.sh" >/dev/null
on_display "$@"
source "$root/scripts/wine-env.sh"

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir -p "$folder/info"
cp "$windows_build/Kelvane.exe" "$windows_build/idle_window.exe" "$folder/"
cp "$windows_build/Mirrick.dll" "$folder/info/"
printf '[OBJECT]\r\nMODULE_PATH2=%s\r\n' "$(windows_path "$folder/info/Mirrick.dll")" |
  iconv -f UTF-8 -t CP932 >"$folder/kelvane.ini"

ticks=$(getconf CLK_TCK)

# Prints "cpu_percent rss_kib ticks" for the Windows program NAME over the period,
# ticks being its CPU time in the units of /proc (1/CLK_TCK s).
measure() {
  local name=$1 pid start end rss
  wine "$folder/$name" &
  for _ in $(seq 1 100); do
    pid=$(pgrep -f "$folder/$name" | head -n 1 || true)
    [ -n "$pid" ] && break
    sleep 0.1
  done
  sleep 3  # past start-up
  start=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep "$seconds"
  end=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  wine taskkill /IM "$name" >/dev/null 2>&1 || true
  wineserver -w
  awk -v used=$((end - start)) -v hz="$ticks" -v s="$seconds" -v rss="$rss" \
    'BEGIN {printf "%.3f %d %d\n", 100 * used / hz / s, rss, used}'
}

# The CPU time behind a figure and what one tick of it is worth: /proc counts
# whole ticks, so a figure is only good to 10 % once it spans 10 ticks or more.
resolution() {
  awk -v used="$1" -v hz="$ticks" 'BEGIN {
    printf "CPU time %.0f ms, resolution %.0f ms", 1000 * used / hz, 1000 / hz
    if (used >= 10) printf " = %.1f %% of it", 100 / used
    else printf ", which is more than 10 %% of it: only %d ticks, measure longer", used
  }'
}

read -r clock_cpu clock_rss clock_ticks < <(measure Kelvane.exe)
read -r bare_cpu bare_rss bare_ticks < <(measure idle_window.exe)
echo "over $seconds s: Kelvane with Mirrick ${clock_cpu}% of one core, ${clock_rss} KiB resident" \
  "($(resolution "$clock_ticks"))"
echo "over $seconds s: bare 100 ms timer window ${bare_cpu}% of one core, ${bare_rss} KiB resident" \
  "($(resolution "$bare_ticks"))"
awk -v a="$clock_cpu" -v b="$bare_cpu" -v c="$clock_rss" -v d="$bare_rss" \
  'BEGIN {printf "ratio: CPU %.2f, memory %.2f\n", (b > 0 ? a / b : 0), c / d}'
