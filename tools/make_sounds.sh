#!/usr/bin/env bash
# Regenerates the chime plug-in's sounds, plugins/chime/chime.wav and alarm.wav,
# which chime.dll carries as WAVE resources. Needs g++ only; every run writes the
# same bytes.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -O2 -I"$root" -o "$work/make_sounds" "$root/tools/make_sounds.cpp"
"$work/make_sounds" "$root/plugins/chime"
