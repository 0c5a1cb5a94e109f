#!/usr/bin/env bash
# Runs one Windows program under Wine with the project's prefix and settings, on
# the caller's display or a private Xvfb, and waits for the wineserver to finish.
#   scripts/wine-run.sh PROGRAM.exe [ARGS...]
set -euo pipefail

if [ -z "${DISPLAY:-}" ]; then
  exec "$(dirname "$0")/with-display.sh" "$0" "$@"
fi
source "$(dirname "$0")/wine-env.sh"

status=0
wine "$@" || status=$?
wineserver -w
exit $status
