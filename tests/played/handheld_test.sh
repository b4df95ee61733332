#!/usr/bin/env bash
# The game on a handheld's 1280 x 800 screen: a virtual X server of that size with a small window
# manager (full screen needs one), the game full screen on the desktop's mode as by default, and
# a dump of the whole screen. The 800 x 600 picture must stand centred at 1066 x 800 between two
# black bars, on the title and on the settings screen (F1).
#
#   handheld_test.sh DARTS     (run from the top of the repository)
#
# DARTS_DISPLAY_TEST_KEEP=DIR keeps the dumps as PNGs. Exits 77 (skipped) without xvfb-run,
# xdotool, xwd or openbox.
set -euo pipefail

if [ "${1:-}" = --inside ]; then
  darts=$2 scratch=$3 here=$(dirname "$0")/../display
  say() { echo "$*"; }
  fail() {
    echo "FAIL: $*"
    stop_stuck_game "$game"
    exit 1
  }
  . "$(dirname "$0")/window_manager.sh"
  . "$(dirname "$0")/played_game.sh"
  . "$here/root_pictures.sh"
  start_openbox "$scratch"
  "$darts" --seed 7 2>"$scratch/stderr.txt" &
  game=$!
  wait_for_window "$game" 60 || exit 1
  # Full screen is the window manager's to grant: the picture is where it belongs once it is done.
  await_picture title 107 0 1173 800 dark
  focus_window "$window"
  hold_key F1
  # The settings plate's right and bottom edges (its frame's 700, 540) scaled by 4/3 from the
  # picture's left edge; the pointer at the picture's top left widens the box the other way.
  deadline=$((SECONDS + 20))
  until picture settings && [ $((r - 1040)) -ge -1 ] && [ $((r - 1040)) -le 1 ] &&
    [ $((b - 720)) -ge -1 ] && [ $((b - 720)) -le 1 ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "settings: the plate ends at $r, $b"
    sleep 0.2
  done
  say "settings: the plate ends at $r, $b"
  hold_key Escape  # ends the game, as on the title
  wait_for_exit "$game" 30
  kill "$wm" 2>/dev/null || true
  exit "$status"
fi

darts=$(realpath "$1")
for tool in xvfb-run xdotool xwd openbox python3; do
  if ! command -v "$tool" >/dev/null; then echo "skipped: $tool is needed"; exit 77; fi
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$out/config
fail() {
  echo "$1" >&2
  cat "$out/stderr.txt" >&2
  exit 1
}
status=0
xvfb-run -a -s "-noreset -screen 0 1280x800x24" "$0" --inside "$darts" "$out" >"$out/said.txt" || status=$?
[ "$status" = 0 ] || fail "$(cat "$out/said.txt")
the played run ended with status $status"
echo "centred with bars at 1280 x 800"
