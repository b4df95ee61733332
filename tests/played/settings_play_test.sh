#!/usr/bin/env bash
# The settings screen played as a player would, twice, under a virtual X server: F1 on the title,
# two held clicks on the music volume's left arrow, Close, and Escape held on the title, which
# ends the game. The settings file must then say 80. The second start must read it back: one
# click on the right arrow makes 90 (from a lost setting it would have stayed at the full 100
# and nothing would be written).
#
#   settings_play_test.sh DARTS     (run from the top of the repository)
#
# Each step waits for what the game shows, not for a number of frames, so a slow machine only
# makes it slower; a step that does not come says which it was, with the game's stderr.
# Exits 77 (skipped) without xvfb-run or xdotool.
set -euo pipefail

held_click() {
  xdotool mousedown 1
  sleep 0.3
  xdotool mouseup 1
  sleep 0.3
}

if [ "${1:-}" = --inside ]; then
  shift
  darts=$1 out=$2 run=$3
  shift 3
  . "$(dirname "$0")/window_manager.sh"
  . "$(dirname "$0")/played_game.sh"
  # The frame limit only ends a game whose Escape went astray.
  "$darts" --window --seed 7 --frames 7200 "$@" 2>>"$out/stderr.txt" &
  game=$!
  wait_for_window "$game" 60 || exit 1
  wait_for_file "$game" "$out/title$run.png" 30 "the title screenshot" || exit 1
  focus_window "$window" || exit 1
  hold_key F1
  # Taken at a frame after F1: the settings screen is up once it is written.
  wait_for_file "$game" "$out/settings$run.png" 30 "the settings screenshot" || exit 1
  # The cursor starts at 0, 0 and moves 3 pixels a count: the music row's arrows are at y 254,
  # the left one at x 420, the right one at x 640; Close at x 600, y 501.
  if [ "$run" = 1 ]; then
    xdotool mousemove_relative -- 140 85
    held_click
    held_click
    xdotool mousemove_relative -- 60 82
  else
    xdotool mousemove_relative -- 213 85
    held_click
    xdotool mousemove_relative -- -13 82
  fi
  held_click  # Close
  sleep 0.3
  focus_window "$window" || exit 1
  hold_key Escape
  wait_for_exit "$game" 30
  exit "$status"
fi

darts=$(realpath "$1")
if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
  echo "skipped: xvfb-run and xdotool are needed"
  exit 77
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export XDG_CONFIG_HOME=$out/config
conf=$XDG_CONFIG_HOME/darts301/darts301.conf
for run in 1 2; do
  started=$SECONDS
  status=0
  xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" --inside "$darts" "$out" "$run" \
    --screenshot "30:$out/title$run.png" --screenshot "240:$out/settings$run.png" || status=$?
  if [ "$status" != 0 ]; then
    echo "run $run: ended with status $status after $((SECONDS - started)) s; the game said:" >&2
    cat "$out/stderr.txt" >&2
    exit 1
  fi
  if [ ! -f "$conf" ]; then
    echo "run $run: no settings file was written" >&2
    cat "$out/stderr.txt" >&2
    exit 1
  fi
  want=$((run == 1 ? 80 : 90))
  if ! grep -qx "music_volume = $want" "$conf"; then
    echo "run $run: the settings file does not say music_volume = $want:" >&2
    cat "$conf" "$out/stderr.txt" >&2
    exit 1
  fi
  echo "run $run: $((SECONDS - started)) s"
done
# Every key once, and no complaint from the game.
if [ -n "$(grep -v '^#' "$conf" | cut -d' ' -f1 | sort | uniq -d)" ] ||
   grep -q '^darts:' "$out/stderr.txt"; then
  cat "$conf" "$out/stderr.txt" >&2
  exit 1
fi
if [ -n "${DARTS_PLAY_TEST_KEEP:-}" ]; then
  mkdir -p "$DARTS_PLAY_TEST_KEEP"
  cp "$out"/*.png "$DARTS_PLAY_TEST_KEEP"/
fi
echo "settings kept across two starts"
