#!/usr/bin/env bash
# Installs what is missing, then builds the native tree (plain and with
# AddressSanitizer/UBSan) and the Windows tree.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVANE_BUILD:-$root/build}
jobs=$(nproc)

"$root/scripts/bootstrap.sh"

configure() {
  local dir=$1
  shift
  [ -f "$build/$dir/CMakeCache.txt" ] || cmake -S "$root" -B "$build/$dir" "$@" >/dev/null
}

configure host -DCMAKE_BUILD_TYPE=Release
configure host-asan -DCMAKE_BUILD_TYPE=Debug -DKELVANE_SANITIZE=ON
configure win32 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"

for dir in host host-asan win32; do
  echo "== building $dir"
  cmake --build "$build/$dir" -j "$jobs" -- --no-print-directory | grep -v -E '^\[ *[0-9]+%\]' || true
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "build of $dir failed" >&2; exit 1; }
done
