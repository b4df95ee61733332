#!/usr/bin/env bash
# Plays the real game under a virtual X server: the mouse is moved and clicked by xdotool through
# the title menu, the character-select screen, the darts bar and the first throw of a match, while
# the game writes a picture every 15 frames. The checker then finds the screens in order.
#
#   play_test.sh DARTS CHECKER     (run from the top of the repository)
#
# Exits 77 (skipped) without xvfb-run or xdotool.
set -euo pipefail

if [ "${1:-}" = --inside ]; then
  # Inside the virtual display: start the game, drive it into the landing view, let it end.
  shift
  darts=$1 out=$2
  shift 2
  DARTS_STATE_LOG="$out/shown.txt" "$darts" --window --seed 7 "$@" 2>"$out/stderr.txt" &
  game=$!
  trap 'cat "$out/stderr.txt" >&2' EXIT  # what the game said, also when a step fails
  source "$(dirname "$0")/into_match.sh"
  into_match "$out/shown.txt"
  # The game's cursor stood at 360, 510 when it opened the character select; the system pointer
  # takes over there.
  if [ "$pointer_on_select" != "360 510" ]; then
    echo "the pointer appeared at $pointer_on_select on the character select, not at 360 510" >&2
    exit 1
  fi
  player_click  # the throw: the arm swings and lets the dart go by itself
  # The landing view comes, and the game ends at its frame limit (its last screenshot).
  wait_for_shown "$game" "$out/shown.txt" "match landed" 20 90 || exit 1
  wait_for_exit "$game" 240
  exit "$status"
fi

darts=$(realpath "$1")
checker=$(realpath "$2")
if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
  echo "skipped: xvfb-run and xdotool are needed"
  exit 77
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
frames=900
shots=()
for ((frame = 15; frame <= frames; frame += 15)); do
  shots+=(--screenshot "$frame:$out/$(printf '%04d' "$frame").png")
done

xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" --inside "$darts" "$out" --frames "$frames" "${shots[@]}"
"$checker" "$out"/[0-9]*.png
if [ -n "${DARTS_PLAY_TEST_KEEP:-}" ]; then
  mkdir -p "$DARTS_PLAY_TEST_KEEP"
  cp "$out"/*.png "$DARTS_PLAY_TEST_KEEP"/
fi
