# Sourced by every script: where the sources and the build folders are, and
# which Windows tree this machine runs.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KELVANE_BUILD:-$root/build}

# The deliverables are 32-bit, built in $build/win32, and tested under 32-bit
# Wine. Where no 32-bit Wine runs (a kernel with 32-bit emulation switched
# off, or a package mirror that cannot supply the i386 packages), the same
# sources are also built for 64-bit Windows in $build/win64 and run under
# 64-bit Wine, so that the Win32 tests still exercise every line of the program.
windows_tree() {
  if [ -z "${KELVANE_WINDOWS_TREE:-}" ]; then
    if [ -x /usr/lib/wine/wineserver32 ] && /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; then
      KELVANE_WINDOWS_TREE=win32
    else
      KELVANE_WINDOWS_TREE=win64
    fi
    export KELVANE_WINDOWS_TREE
  fi
  echo "$KELVANE_WINDOWS_TREE"
}

# Runs the calling script again on a private Xvfb screen when there is no display:
#   on_display "$@"
on_display() {
  [ -n "${DISPLAY:-}" ] || exec "$root/scripts/with-display.sh" "$0" "$@"
}

# Prints the id of the first visible X window of the clock's process whose
# geometry ("WIDTHxHEIGHT") matches the extended regular expression $1, waiting
# up to $3 seconds (default 60) for one; fails with a message naming $2 when none
# comes.
wait_for_x_window() {
  local id geometry
  for _ in $(seq 1 $((${3:-60} * 5))); do
    for id in $(xdotool search --onlyvisible --class kelvane.exe 2>/dev/null); do
      geometry=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: //p')
      if [[ $geometry =~ $1 ]]; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.2
  done
  echo "$(basename "$0"): no window of $2 appeared" >&2
  return 1
}

# Saves the screen's top left 200 x 200 pixels, where a started clock opens, into
# $1 once the face there is painted (no longer plain black), waiting up to a
# minute; fails when it never is.
wait_for_painted_face() {
  for _ in $(seq 1 300); do
    import -window root -crop 200x200+0+0 +repage "$1" 2>/dev/null || true
    if [ -f "$1" ] && [ "$(convert "$1" -format '%[fx:maxima > 0.1 ? 1 : 0]' info:)" = 1 ]; then
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# Runs the Windows program $2 of folder $1 with the arguments after $3 for $3
# seconds after a start-up of 3 s, and prints what it cost over that time: "CPU
# ticks (1/CLK_TCK s), wake-ups (voluntary context switches of all its threads),
# resident KiB". Needs wine-env.sh sourced.
measure_process() {
  local folder=$1 program=$2 seconds=$3 pid start end
  shift 3
  wine "$folder/$program" "$@" &
  for _ in $(seq 1 100); do
    pid=$(pgrep -f "$folder/$program" | head -n 1 || true)
    [ -n "$pid" ] && break
    sleep 0.1
  done
  sleep 3
  start=$(process_counters "$pid")
  sleep "$seconds"
  end=$(process_counters "$pid")
  local rss
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  wine taskkill /IM "$program" >/dev/null 2>&1 || true
  wineserver -w
  read -r cpu0 woken0 <<<"$start"
  read -r cpu1 woken1 <<<"$end"
  echo "$((cpu1 - cpu0)) $((woken1 - woken0)) $rss"
}

# "CPU ticks, voluntary context switches" of process $1 and all its threads.
process_counters() {
  echo "$(awk '{print $14 + $15}' "/proc/$1/stat")" \
    "$(cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n}')"
}

# Prints "LABEL: X a second (floor Y, ratio Z)" for counts $2 and $3 over $4 seconds.
print_rate() {
  awk -v label="$1" -v a="$2" -v b="$3" -v s="$4" 'BEGIN {
    printf "%s: %.2f a second (floor %.2f, ratio %.2f)\n", label, a / s, b / s, (b > 0 ? a / b : 0)
  }'
}

# A POSIX time zone whose local time is now $1 (HH:MM), for a screenshot at a set
# time: its offset from UTC is written with the sign turned round ("XXX-01:30"
# is ninety minutes ahead).
time_zone_showing() {
  local now target offset sign
  now=$(( $(date -u +%s) / 60 % 1440 ))
  target=$(( 10#${1%%:*} * 60 + 10#${1##*:} ))
  offset=$(( (target - now + 1440 + 720) % 1440 - 720 ))
  sign=-
  [ "$offset" -lt 0 ] && { sign=+; offset=$(( -offset )); }
  printf 'XXX%s%02d:%02d' "$sign" $((offset / 60)) $((offset % 60))
}
