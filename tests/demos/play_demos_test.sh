#!/usr/bin/env bash
# Plays the recorded demos in the real game on OpenGL under a virtual X server. The game checks
# its state against the demo every 60 frames and at the end, and exits 1 at the first difference,
# so a run that ends with status 0 went exactly as recorded with drawing switched on. (The
# headless replays in tests/demos/demo_test.cpp play every demo to its end.) Pictures of
# the darts-bar demo are then looked for the title, the darts bar, the match and the landing view.
# The player's settings file says what no demo here was made with, and the demos must not care.
#
#   play_demos_test.sh PART DARTS CHECKER     (run from the top of the repository)
#
# PART is "pictures" (the darts-bar win up to its first landing, looked at, and the escape),
# "long" (the first ten seconds of the long demos, and the one recorded in English) or "viewer" (a
# viewer ends a demo being played): three tests, each within its own time limit.
#
# Exits 77 (skipped) without xvfb-run.
set -euo pipefail

if [ "${1:-}" = --viewer-quits ]; then  # HOW DARTS, on the virtual X server
  how=$2 darts=$3
  here=$(dirname "$0")
  source "$here/../played/played_game.sh"
  source "$here/../played/window_manager.sh"
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  # The demo plays for minutes; the viewer acts once its window shows a frame.
  "$darts" --window --playdemo tests/demos/tournament.dem \
    --screenshot "10:$scratch/playing.png" 2>"$scratch/stderr.txt" &
  game=$!
  wait_for_window "$game" 60 || exit 1
  wait_for_file "$game" "$scratch/playing.png" 60 "the demo's tenth frame" || exit 1
  if [ "$how" = escape ]; then
    focus_window "$window" || exit 1
    hold_key Escape
  else
    kill -TERM "$game"
  fi
  wait_for_exit "$game" 30
  [ "$status" -eq 0 ] || {
    echo "$how: the demo being played ended with status $status"; cat "$scratch/stderr.txt"; exit 1
  }
  exit 0
fi

part=$1
darts=$(realpath "$2")
checker=$(realpath "$3")
if ! command -v xvfb-run >/dev/null; then
  echo "skipped: xvfb-run is needed"
  exit 77
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# A demo plays in its own language, at mouse speed 3, without awards; a mode switch in the file
# gives way to the --window typed below.
settings=$out/config/darts301/darts301.conf
mkdir -p "${settings%/*}"
printf 'language = en\nawards = yes\nmouse_speed = 9\ndisplay = mode\n' >"$settings"
export XDG_CONFIG_HOME=$out/config
play() { xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$darts" --window "$@"; }

case "$part" in
pictures)
# As fast as they draw: the darts-bar win up to its first landing, the escape to its end.
shots=()
for ((frame = 15; frame <= 1200; frame += 15)); do
  shots+=(--screenshot "$frame:$out/$(printf '%04d' "$frame").png")
done
play --timedemo tests/demos/bar-win.dem --frames 1200 "${shots[@]}"
"$checker" "$out"/[0-9]*.png
play --timedemo tests/demos/escape.dem
;;

long)
# The long ones as far as their first ten seconds: every checksum on the way must agree.
play --timedemo tests/demos/tournament.dem --frames 600 --screenshot "600:$out/first-match.png"
play --timedemo tests/demos/bar-lose.dem --frames 600
test -s "$out/first-match.png"

# The demo recorded in English plays in English for a player who chose Japanese.
printf 'language = ja\n' >"$settings"
play --timedemo tests/demos/escape-en.dem
;;

viewer)
# A viewer ends a demo being played as any game: SIGTERM (a close from the desktop, Ctrl+C) and,
# where xdotool can press it, Escape held a few tenths of a second. The demo runs for minutes.
xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" --viewer-quits sigterm "$darts"
if command -v xdotool >/dev/null; then
  xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" --viewer-quits escape "$darts"
fi
;;
*) echo "unknown part: $part"; exit 2 ;;
esac
