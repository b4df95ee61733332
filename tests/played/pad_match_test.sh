#!/usr/bin/env bash
# Runs pad_match (a whole match with a virtual game controller) under a virtual X server.
#
#   pad_match_test.sh PAD_MATCH     (run from the top of the repository)
#
# Exits 77 (skipped) without xvfb-run or xdotool.
set -euo pipefail
if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
  echo "skipped: xvfb-run and xdotool are needed"
  exit 77
fi
# No sound card is needed, nor any settings of the machine's player.
export SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
xvfb-run -a -s "-screen 0 1024x768x24" "$1"
