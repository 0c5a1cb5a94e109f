#!/usr/bin/env bash
# Builds everything and runs the soak program under Wine: 100,000 face
# compositions with Mirrick in the info slot, then 1,000 unload and reload cycles
# of plugin_good.dll, wallpaper.dll and chime.dll (released with an alarm window
# open every other cycle), printing resident memory and GDI headroom
# at the start and end of each phase and how much they changed; both must stay
# flat. The program runs from a fresh folder, beside which it lays out its plugin
# folder. Takes a few minutes.
#   scripts/soak.sh [CLOCK_MODULE.dll]    also puts a clock module into slot 1,
#                                         and cycles it 1,000 times through it
set -euo pipefail

source "$(dirname "$0")/common.sh"
"$root/scripts/build.sh" >/dev/null
source "$root/scripts/wine-env.sh"

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$windows_build/soak.exe" "$windows_build/Mirrick.dll" "$windows_build/plugin_good.dll" \
  "$windows_build/wallpaper.dll" "$windows_build/chime.dll" "$folder/"

args=()
[ $# -gt 0 ] && args+=("$(windows_path "$(realpath "$1")")")
# Through a pipe, Wine hands the program's bytes on as they are.
"$root/scripts/wine-run.sh" "$folder/soak.exe" "${args[@]}" | cat
