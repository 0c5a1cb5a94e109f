#!/usr/bin/env bash
# Installs what is missing, then builds the native tree (plain and with
# AddressSanitizer/UBSan) and the Windows tree; fails when any build fails.
set -euo pipefail
source "$(dirname "$0")/common.sh"

"$root/scripts/bootstrap.sh"

# Configuring every time is quick, and it takes up changed options without a
# fresh build folder.
configure() {
  local dir=$1
  shift
  cmake -S "$root" -B "$build/$dir" "$@" >/dev/null
}

trees=(host host-asan win32)
configure host -DCMAKE_BUILD_TYPE=Release -DKELVANE_SANITIZE=OFF
configure host-asan -DCMAKE_BUILD_TYPE=Debug -DKELVANE_SANITIZE=ON
configure win32 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
if [ "$(windows_tree)" = win64 ]; then
  configure win64 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"
  trees+=(win64)
fi

for dir in "${trees[@]}"; do
  echo "== building $dir"
  status=0
  cmake --build "$build/$dir" -j "$(nproc)" -- --no-print-directory >"$build/$dir/build.log" 2>&1 || status=$?
  grep -v -E '^\[ *[0-9]+%\]' "$build/$dir/build.log" || true
  [ "$status" -eq 0 ] || { echo "build of $dir failed" >&2; exit 1; }
done
