#!/usr/bin/env bash
# Runs a test program on SDL's X11 driver under a virtual X server, for what the offscreen
# driver cannot show (relative mouse mode). A test skipped there fails: the X server was meant
# to give it what it needs.
#
#   on_x_server.sh PROGRAM ARGS...
#
# Exits 77 (skipped) without xvfb-run.
set -euo pipefail
if ! command -v xvfb-run >/dev/null; then
  echo "skipped: xvfb-run is needed"
  exit 77
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
SDL_VIDEODRIVER=x11 xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$@" >"$log" 2>&1 || status=$?
cat "$log"
if grep -q '^\[  SKIPPED \]' "$log"; then
  echo "FAIL: skipped on the X server"
  exit 1
fi
exit "$status"
