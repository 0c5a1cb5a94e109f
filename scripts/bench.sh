#!/usr/bin/env bash
# Builds everything and prints the benchmark figures (under Wine).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVANE_BUILD:-$root/build}
"$root/scripts/build.sh" >/dev/null
"$root/scripts/wine-run.sh" "$build/win32/face_bench.exe"
"$build/host/mag_bench"
"$root/scripts/wine-run.sh" "$build/win32/mag_bench.exe"
