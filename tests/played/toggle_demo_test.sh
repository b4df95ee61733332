#!/usr/bin/env bash
# Alt+Enter belongs to the window, not to the game: a demo recorded while it is pressed on the
# title and on the character-select screen (window -> full screen -> window, each time) replays
# with every checksum equal. The window's size is checked after each press, so that the toggles
# really happened.
#
#   toggle_demo_test.sh DARTS     (run from the top of the repository)
#
# Exits 77 (skipped) without xvfb-run, xdotool or openbox.
set -euo pipefail

if [ "${1:-}" = --inside ]; then
  shift
  darts=$1 out=$2
  shift 2
  # A window manager, as on a desktop: without one X leaves a full-screen window at its own size.
  . "$(dirname "$0")/window_manager.sh"
  . "$(dirname "$0")/played_game.sh"
  start_openbox "$out"
  # What the game said, whichever step fails.
  trap 'kill "$wm" 2>/dev/null || true; cat "$out/stderr.txt" >&2' EXIT
  log=$out/shown.txt
  DARTS_STATE_LOG=$log "$darts" --window --seed 5 --frames 3600 --record "$out/toggle.dem" "$@" \
    2>"$out/stderr.txt" &
  game=$!
  wait_for_window "$game" 60 || exit 1
  wait_for_shown "$game" "$log" title 10 60 || exit 1
  toggles=0
  # Alt+Enter twice, checking the window's width after each: the screen's, then 800 again.
  toggle_round_trip() {
    local want
    for want in 1024 800; do
      focus_window "$window"
      # As a player presses it: Alt held down, Enter pressed and let go, then Alt let go.
      xdotool keydown alt; sleep 0.15; xdotool key Return; sleep 0.15; xdotool keyup alt
      local width=""
      for _ in $(seq 100); do
        sleep 0.1
        width=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
        [ "$width" = "$want" ] && break
      done
      if [ "$width" != "$want" ]; then
        echo "FAIL: $1: the window is $width wide, not $want (the focus on" \
          "$(xdotool getwindowfocus 2>/dev/null), the game's window $window)"
        exit 1
      fi
      toggles=$((toggles + 1))
    done
  }
  toggle_round_trip "title"
  wait_for_shown "$game" "$log" title 10 60 || exit 1
  xdotool mousemove_relative -- 120 170 mousedown 1; sleep 0.3; xdotool mouseup 1  # character select
  wait_for_shown "$game" "$log" character-select 10 60 || exit 1
  toggle_round_trip "character select"
  xdotool mousemove --window "$window" 640 512 mousedown 1; sleep 0.3; xdotool mouseup 1  # OK
  # Back on the title, Escape ends the game and with it the recording.
  wait_for_shown "$game" "$log" title 10 60 || exit 1
  focus_window "$window"
  hold_key Escape
  wait_for_exit "$game" 60
  echo "toggled $toggles times"
  exit "$status"
fi

darts=$(realpath "$1")
for tool in xvfb-run xdotool openbox; do
  if ! command -v "$tool" >/dev/null; then echo "skipped: $tool is needed"; exit 77; fi
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" --inside "$darts" "$out"
# The replay draws offscreen, as fast as it can; any checksum out of step ends it with status 1.
SDL_VIDEODRIVER=offscreen "$darts" --timedemo "$out/toggle.dem"
