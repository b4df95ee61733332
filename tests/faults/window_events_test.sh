#!/usr/bin/env bash
# Plays into a match under a virtual X server, then does to the window what a desktop does during
# play: takes the focus away and gives it back, hides the window (minimised) and shows it again,
# and at last asks it to close. The match must go on through all of it (the throw made after the
# window came back lands and is seen in the landing view) and the close request must end the game
# cleanly: status 0, nothing on stderr, before its frame limit.
#
#   window_events_test.sh DARTS CHECKER     (run from the top of the repository)
#
# Exits 77 (skipped) without xvfb-run, xdotool or python3.
set -euo pipefail
here=$(dirname "$(realpath "$0")")

if [ "${1:-}" = --inside ]; then
  shift
  darts=$1 out=$2
  shift 2
  # Under the sanitizers the leak report may list the suppressions it used: not the game's stderr.
  LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0" \
    SDL_AUDIODRIVER=dummy timeout -k 5 90 "$darts" --window --seed 7 "$@" 2>"$out/stderr.txt" &
  game=$!
  source "$here/../game/into_match.sh"
  into_match "$out/0015.png"
  sleep 1
  # Another window takes the focus, and the game's window gets it back.
  "$here/x11_window.py" unfocus
  sleep 0.5
  xdotool windowfocus --sync "$window"
  sleep 0.5
  # Minimised and restored: the window goes off the screen and comes back.
  xdotool windowunmap --sync "$window"
  sleep 1
  xdotool windowmap --sync "$window"
  xdotool windowfocus --sync "$window"
  sleep 0.5
  xdotool click 1  # the throw, made after all that: the arm lets the dart go by itself
  # Once the last screenshot (frame 900) is written, the close request.
  tries=0
  while [ ! -e "$out/0900.png" ] && [ "$tries" -lt 240 ]; do sleep 0.5; tries=$((tries + 1)); done
  sleep 0.5
  "$here/x11_window.py" close "$window"
  status=0
  wait "$game" || status=$?
  cat "$out/stderr.txt" >&2
  if [ "$status" -ne 0 ]; then
    echo "the game ended with status $status after the close request" >&2
    exit 1
  fi
  if [ -s "$out/stderr.txt" ]; then
    echo "the game wrote to stderr" >&2
    exit 1
  fi
  exit 0
fi

darts=$(realpath "$1")
checker=$(realpath "$2")
if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null ||
   ! command -v python3 >/dev/null; then
  echo "skipped: xvfb-run, xdotool and python3 are needed"
  exit 77
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
shots=()
for ((frame = 15; frame <= 900; frame += 15)); do
  shots+=(--screenshot "$frame:$out/$(printf '%04d' "$frame").png")
done
# The frame limit is only a guard: the close request must end the game long before it.
xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$darts" "$out" --frames 3600 "${shots[@]}"
"$checker" "$out"/[0-9]*.png
