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
