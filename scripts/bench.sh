#!/usr/bin/env bash
# Builds everything and prints the benchmark figures, each as
# "name: median X µs (floor Y µs, ratio Z)" with its floor measured in the same
# run: a face composition next to its two 200 x 200 BitBlts, start-up to the
# first painted face next to a bare window program's, MAG decoding (native and
# under Wine) next to a memcpy of the decoded size, photographs decoded upright
# and scaled through WicPicture, the wallpaper preview and the face's background
# next to WIC's own decode and scale, the wallpaper plug-in's listing of 20,000
# pictures (and of 100,000 in subfolders) next to a bare FindFirstFile/FindNextFile
# listing, how late the face changes after the system clock's second next to the
# poll's resolution, and the idle and the sweeping clock's wake-ups and CPU next to
# bare timer windows (about seven minutes in all).
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$root/scripts/build.sh" >/dev/null

# Through a pipe, Wine hands the programs' UTF-8 bytes on as they are; on a
# terminal it would convert them as console text.
"$root/scripts/wine-run.sh" "$build/$(windows_tree)/face_bench.exe" | cat
"$root/scripts/wine-run.sh" "$build/$(windows_tree)/customize_bench.exe" | cat
"$build/host/mag_bench"
"$root/scripts/wine-run.sh" "$build/$(windows_tree)/mag_bench.exe" | cat
"$root/scripts/wine-run.sh" "$build/$(windows_tree)/wic_bench.exe" | cat
"$root/scripts/wine-run.sh" "$build/$(windows_tree)/wallpaper_bench.exe" | cat
"$root/scripts/wine-run.sh" "$build/$(windows_tree)/tick_bench.exe" 60 | cat
"$root/scripts/measure-idle.sh" 60
"$root/scripts/bench-analog.sh" 60
