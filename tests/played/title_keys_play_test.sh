#!/usr/bin/env bash
# F1 counts on the screen where it is pressed, played under a virtual X server: pressed on the
# character-select screen it must not open the settings screen once the title comes back; pressed
# on the title it does (so the key did reach the game). Each picture is a screenshot the game
# takes at a frame; the settings screen is told from the title by the pictures over its plate
# (screenshot_difference.py).
#
#   title_keys_play_test.sh DARTS     (run from the top of the repository)
#
# Exits 77 (skipped) without xvfb-run, xdotool or python3.
set -euo pipefail

held_click() {
  xdotool mousedown 1
  sleep 0.3
  xdotool mouseup 1
}

if [ "${1:-}" = --inside ]; then
  darts=$2 out=$3
  . "$(dirname "$0")/window_manager.sh"
  . "$(dirname "$0")/played_game.sh"
  # The frame limit only ends a game whose Escape went astray.
  "$darts" --window --seed 7 --frames 7200 --screenshot "30:$out/title.png" \
    --screenshot "300:$out/select.png" --screenshot "600:$out/back.png" \
    --screenshot "900:$out/settings.png" 2>>"$out/stderr.txt" &
  game=$!
  wait_for_window "$game" 60 || exit 1
  wait_for_file "$game" "$out/title.png" 30 "the title screenshot" || exit 1
  focus_window "$window" || exit 1
  # The front end moves its cursor 3 pixels per count from 0, 0: the third item, character select.
  xdotool mousemove_relative -- 120 170
  held_click
  wait_for_file "$game" "$out/select.png" 30 "the character-select screenshot" || exit 1
  focus_window "$window" || exit 1
  hold_key F1
  xdotool mousemove --window "$window" 640 512  # OK: back to the title
  held_click
  wait_for_file "$game" "$out/back.png" 30 "the screenshot of the title come back" || exit 1
  focus_window "$window" || exit 1
  hold_key F1
  wait_for_file "$game" "$out/settings.png" 30 "the settings screenshot" || exit 1
  focus_window "$window" || exit 1
  hold_key Escape  # closes the settings screen and, as on the title, ends the game
  wait_for_exit "$game" 30
  exit "$status"
fi

darts=$(realpath "$1")
. "$(dirname "$0")/played_game.sh"
need_tools xvfb-run xdotool python3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$out/config
status=0
xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" --inside "$darts" "$out" || status=$?
if [ "$status" != 0 ]; then
  echo "the played run ended with status $status; the game said:" >&2
  cat "$out/stderr.txt" >&2
  exit 1
fi
if [ -n "${DARTS_PLAY_TEST_KEEP:-}" ]; then
  mkdir -p "$DARTS_PLAY_TEST_KEEP"
  cp "$out"/*.png "$DARTS_PLAY_TEST_KEEP"/
fi
difference=$(dirname "$0")/screenshot_difference.py
came_back=$(python3 "$difference" "$out/title.png" "$out/back.png")
opened=$(python3 "$difference" "$out/title.png" "$out/settings.png")
echo "from the title: $came_back once back, $opened after F1 there"
if [ "$came_back" -ge 20 ]; then
  echo "FAIL: F1 pressed on the character-select screen opened the settings on the title" >&2
  exit 1
fi
if [ "$opened" -lt 20 ]; then
  echo "FAIL: F1 on the title did not open the settings screen" >&2
  exit 1
fi
