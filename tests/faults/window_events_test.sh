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
  log=$out/shown.txt
  # Under the sanitizers the leak report may list the suppressions it used: not the game's stderr.
  LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0" DARTS_STATE_LOG=$log \
    SDL_AUDIODRIVER=dummy timeout -k 5 170 "$darts" --window --seed 7 "$@" 2>"$out/stderr.txt" &
  game=$!
  source "$here/../played/into_match.sh"
  into_match "$log"
  # Each change to the window is followed by some frames drawn before the next one.
  # Another window takes the focus, and the game's window gets it back.
  "$here/x11_window.py" unfocus
  wait_for_frames "$game" "$log" 20 60 || exit 1
  xdotool windowfocus --sync "$window"
  wait_for_frames "$game" "$log" 20 60 || exit 1
  # Minimised and restored: the window goes off the screen and comes back.
  xdotool windowunmap --sync "$window"
  sleep 0.5  # a player's glance elsewhere; the game need not draw while it is hidden
  xdotool windowmap --sync "$window"
  xdotool windowfocus --sync "$window"
  wait_for_frames "$game" "$log" 20 60 || exit 1
  wait_for_shown "$game" "$log" "match aiming" 10 60 || exit 1
  xdotool click 1  # the throw, made after all that: the arm lets the dart go by itself
  # The landing view comes; once the last screenshot (frame 900) is written, the close request.
  wait_for_shown "$game" "$log" "match landed" 20 90 || exit 1
  wait_for_file "$game" "$out/0900.png" 240 "the screenshot of frame 900" || exit 1
  "$here/x11_window.py" close "$window"
  wait_for_exit "$game" 60
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
xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" --inside "$darts" "$out" --frames 3600 "${shots[@]}"
"$checker" "$out"/[0-9]*.png
