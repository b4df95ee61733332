#!/usr/bin/env bash
# The settings screen played as a player would, twice, under a virtual X server: F1 on the title,
# two held clicks on the music volume's left arrow, Close, and the game quits. The settings file
# must then say 80. The second start must read it back: one click on the right arrow makes 90
# (from a lost setting it would have stayed at the full 100 and nothing would be written).
#
#   settings_play_test.sh DARTS     (run from the top of the repository)
#
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
  "$darts" --window --seed 7 "$@" 2>>"$out/stderr.txt" &
  game=$!
  window=$(timeout 30 xdotool search --sync --name '^301 Darts Bar$' | head -n 1)
  timeout 60 bash -c "until [ -s '$out/title$run.png' ]; do sleep 0.1; done" || true
  sleep 1
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key F1
  sleep 0.5
  # The cursor starts at 0, 0 and moves 3 pixels a count: the music row's arrows are at y 288,
  # the left one at x 420, the right one at x 640; Close at x 600, y 501.
  if [ "$run" = 1 ]; then
    xdotool mousemove_relative -- 140 96
    held_click
    held_click
    xdotool mousemove_relative -- 60 71
  else
    xdotool mousemove_relative -- 213 96
    held_click
    xdotool mousemove_relative -- -13 71
  fi
  sleep 0.5
  held_click  # Close
  status=0
  wait "$game" || status=$?
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
  xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$darts" "$out" "$run" --frames 600 \
    --screenshot "30:$out/title$run.png" --screenshot "200:$out/settings$run.png"
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
done
# Every key once, and no complaint from the game.
if [ "$(grep -cv '^#' "$conf")" != 12 ] || grep -q '^darts:' "$out/stderr.txt"; then
  cat "$conf" "$out/stderr.txt" >&2
  exit 1
fi
if [ -n "${DARTS_PLAY_TEST_KEEP:-}" ]; then
  mkdir -p "$DARTS_PLAY_TEST_KEEP"
  cp "$out"/*.png "$DARTS_PLAY_TEST_KEEP"/
fi
echo "settings kept across two starts"
