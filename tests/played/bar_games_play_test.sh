#!/usr/bin/env bash
# The bar machine played as a new player would, under a virtual X server (with openbox when the
# second argument is --wm): bar games on in the settings file, which also remembers a Cricket game
# for the player, a guest and a computer. Title -> character select -> OK -> darts bar -> the game
# select, where "+ Add" seats a second computer, the guest's name is typed in its box and Start
# plays it -> the player's three darts -> the machine hands the mouse to the guest (a click) ->
# the guest's first dart -> Escape. The
# settings file must then remember the four seats and the guest's name. Every click is held 0.3 s.
#
#   bar_games_play_test.sh DARTS [--wm]     (run from the top of the repository)
#
# Exits 77 (skipped) without xvfb-run or xdotool (or openbox with --wm).
set -euo pipefail

if [ "${1:-}" = --inside ]; then
  shift
  darts=$1 out=$2 wm=$3
  shift 3
  . "$(dirname "$0")/window_manager.sh"
  . "$(dirname "$0")/played_game.sh"
  held_click() { xdotool mousedown 1 sleep 0.3 mouseup 1; }
  [ "$wm" = --wm ] && { start_openbox "$out" || exit 1; }
  log=$out/shown.txt
  # The frame limit only ends a game whose Escape went astray.
  DARTS_STATE_LOG=$log "$darts" --window --seed 11 --frames 20000 "$@" 2>>"$out/stderr.txt" &
  game=$!
  wait_for_window "$game" 60 || exit 1
  walk_to_game_select "$game" "$log" || exit 1
  xdotool mousemove --window "$window" 670 333  # + Add
  held_click
  xdotool mousemove --window "$window" 600 416  # the guest's name box
  held_click
  wait_for_frames "$game" "$log" 3 30 || exit 1  # the box has taken the typing
  focus_window "$window" || exit 1
  xdotool type --delay 100 "Aki"
  wait_for_frames "$game" "$log" 5 30 || exit 1
  xdotool mousemove --window "$window" 675 551  # Start: the name is kept
  held_click
  # The player throws first: a click sets the arm swinging, and it lets the dart go by itself.
  for dart in 1 2 3; do
    wait_for_shown "$game" "$log" "match aiming" 10 60 || exit 1
    held_click
    wait_for_shown "$game" "$log" "match landed" 5 60 || exit 1
  done
  wait_for_shown "$game" "$log" "bar hand-over" 10 60 || exit 1
  held_click
  wait_for_shown "$game" "$log" "match aiming" 10 60 || exit 1
  held_click
  wait_for_shown "$game" "$log" "match landed" 5 60 || exit 1
  focus_window "$window" || exit 1
  hold_key Escape
  wait_for_exit "$game" 30
  exit "$status"
fi

darts=$(realpath "$1")
wm=${2:-}
for tool in xvfb-run xdotool ${wm:+openbox}; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is needed"; exit 77; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export XDG_CONFIG_HOME=$out/config SDL_AUDIODRIVER=dummy
conf=$XDG_CONFIG_HOME/darts301/darts301.conf
mkdir -p "$(dirname "$conf")"
printf '%s\n' "bar_games = yes" "game = cricket" "rounds = 15" "sides = you,guest2,r18c3" >"$conf"
status=0
xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" --inside "$darts" "$out" "$wm" --mute || status=$?
if [ "$status" != 0 ] || grep -q '^darts:' "$out/stderr.txt"; then
  echo "ended with status $status; the game said:" >&2
  cat "$out/stderr.txt" >&2
  tail -n 5 "$out/shown.txt" >&2 || true
  exit 1
fi
if ! grep -qx "sides = you,guest2:Aki,r18c3,r[0-9]*c[0-9]" "$conf" || ! grep -qx "game = cricket" "$conf"; then
  echo "the settings file does not remember the four seats of the Cricket game, the guest named:" >&2
  cat "$conf" >&2
  exit 1
fi
echo "a Cricket game for four chosen, the guest named, played into the guest's turn and remembered"
