# Sourced by every script: where the sources and the build folders are, and
# which Windows tree this machine runs.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KELVANE_BUILD:-$root/build}

# The deliverables are 32-bit, built in $build/win32. Some machines run their
# kernel with 32-bit emulation switched off, so no 32-bit program (32-bit Wine
# included) can start there; the same sources are then also built for 64-bit
# Windows in $build/win64 and run under 64-bit Wine, so that the Win32 tests
# still exercise every line of the program.
windows_tree() {
  if [ -z "${KELVANE_WINDOWS_TREE:-}" ]; then
    if [ ! -x /usr/lib/wine/wineserver32 ] || /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; then
      KELVANE_WINDOWS_TREE=win32
    else
      KELVANE_WINDOWS_TREE=win64
    fi
    export KELVANE_WINDOWS_TREE
  fi
  echo "$KELVANE_WINDOWS_TREE"
}
