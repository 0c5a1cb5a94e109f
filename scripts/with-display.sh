#!/usr/bin/env bash
# Runs a command with an X display: the caller's DISPLAY, or a private Xvfb
# screen of 1024 x 768 x 24 that is stopped (by its own process id) afterwards.
#   scripts/with-display.sh COMMAND [ARGS...]
set -euo pipefail

if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi

xvfb_pid=
stop_xvfb() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap stop_xvfb EXIT

for n in $(seq 90 140); do
  { [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; } && continue
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 200); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    export DISPLAY=":$n"
    break
  fi
  xvfb_pid=
done
[ -n "${DISPLAY:-}" ] || { echo "with-display: could not start Xvfb" >&2; exit 1; }

status=0
"$@" || status=$?
exit $status
