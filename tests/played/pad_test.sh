#!/usr/bin/env bash
# Runs a played program of the virtual game controller (pad_match, pad_bar_game) under a virtual
# X server, with a settings file of the given lines (none: no settings file).
#
#   pad_test.sh PROGRAM [SETTINGS_LINE...]     (run from the top of the repository)
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
program=$1
shift
if [ $# -gt 0 ]; then
  mkdir -p "$XDG_CONFIG_HOME/darts301"
  printf '%s\n' "$@" >"$XDG_CONFIG_HOME/darts301/darts301.conf"
fi
xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$program"
