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
