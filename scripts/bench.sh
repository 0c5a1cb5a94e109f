#!/usr/bin/env bash
# Builds everything and prints the benchmark figures (under Wine).
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$root/scripts/build.sh" >/dev/null
"$root/scripts/wine-run.sh" "$build/$(windows_tree)/face_bench.exe"
"$build/host/mag_bench"
"$root/scripts/wine-run.sh" "$build/$(windows_tree)/mag_bench.exe"
