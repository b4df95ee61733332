#!/usr/bin/env bash
# Plays the real game under a virtual X server with SDL's disk audio driver, which writes the
# sound device's whole output to a file, and the board-hit log on: xdotool goes through the front
# end into a match at the darts bar, throws the human's first two darts with clicks and quits. The
# checker finds the board-hit effect in the recording at every logged hit, and the music all along.
#
#   sound_test.sh DARTS CHECKER     (run from the top of the repository)
#
# Exits 77 (skipped) without xvfb-run or xdotool, or without a General MIDI soundfont.
set -euo pipefail

# Two darts show that every hit sounds where it was logged and nowhere else; each further dart
# costs 10 seconds or more under a software renderer (the computer's first, some 20).
human_darts=2

if [ "${1:-}" = --inside ]; then
  # Inside the virtual display: start the game, drive it, stop it once the darts have landed.
  shift
  darts=$1 out=$2
  SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out/stream.raw" DARTS_BOARD_HIT_LOG=1 \
    DARTS_STATE_LOG="$out/shown.txt" "$darts" --window --seed 7 2>"$out/stderr.txt" &
  game=$!
  # What the game said, also when a step fails.
  trap 'kill "$game" 2>/dev/null || true; cat "$out/stderr.txt" >&2' EXIT
  hits() { grep -c 'board hit at audio frame' "$out/stderr.txt" || true; }
  source "$(dirname "$0")/into_match.sh"
  into_match "$out/shown.txt"
  hits_at_least() { [ "$(hits)" -ge "$1" ]; }
  # The recording holds the stream up to at least half a second past the last logged hit (SDL's
  # disk driver writes stereo 16-bit frames as the device plays them).
  effect_recorded() {
    local at
    at=$(sed -n 's/.*board hit at audio frame \([0-9]*\)$/\1/p' "$out/stderr.txt" | tail -n 1)
    [ "$(stat -c %s "$out/stream.raw")" -ge $(((at + 22050) * 4)) ]
  }
  for ((dart = 1; dart <= human_darts; dart++)); do
    # One click fixes the gauge; the arm then swings and lets the dart go by itself.
    wait_for_shown "$game" "$out/shown.txt" "match aiming" 10 90 || exit 1
    xdotool click 1
    wait_for "$game" 90 "board hit $dart" hits_at_least "$dart" || exit 1
  done
  wait_for "$game" 30 "the last effect in the recording" effect_recorded || exit 1
  kill -TERM "$game"
  wait_for_exit "$game" 30
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
xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" --inside "$darts" "$out" 2>"$out/game.txt" || {
  cat "$out/game.txt" >&2
  exit 1
}
cat "$out/game.txt" >&2
if grep -q 'no General MIDI soundfont' "$out/game.txt"; then
  echo "skipped: no General MIDI soundfont for the music (install timgm6mb-soundfont)"
  exit 77
fi
"$checker" "$out/stream.raw" "$out/stderr.txt" "$human_darts"
