#!/usr/bin/env bash
# The game on a handheld's 1280 x 800 screen: a virtual X server of that size with a small window
# manager (full screen needs one), the game full screen on the desktop's mode as by default, and
# a dump of the whole screen. The 800 x 600 picture must stand centred at 1066 x 800 between two
# black bars, on the title and on the settings screen (F1).
#
#   handheld_test.sh DARTS     (run from the top of the repository)
#
# Exits 77 (skipped) without xvfb-run, xdotool, xwd or openbox.
set -euo pipefail

if [ "${1:-}" = --inside ]; then
  darts=$2 out=$3
  . "$(dirname "$0")/window_manager.sh"
  . "$(dirname "$0")/played_game.sh"
  start_openbox "$out"
  "$darts" --seed 7 --frames 360 --screenshot "20:$out/shown.png" 2>"$out/stderr.txt" &
  game=$!
  wait_for_window "$game" 60 || exit 1
  wait_for_file "$game" "$out/shown.png" 30 "the title screenshot" || exit 1
  sleep 1.5
  xwd -root -silent >"$out/title.xwd"
  focus_window "$window"
  hold_key F1
  sleep 1
  xwd -root -silent >"$out/settings.xwd"
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
xvfb-run -a -s "-noreset -screen 0 1280x800x24" "$0" --inside "$darts" "$out" || status=$?
[ "$status" = 0 ] || fail "the played run ended with status $status"
picture=$(dirname "$0")/../display/root_picture.py
# The reader prints the screen's size, the box of what is not black and the mean brightness.
placed=$(python3 "$picture" "$out/title.xwd" "$out/title.png" | cut -d' ' -f1-6)
[ "$placed" = "1280 800 107 0 1173 800" ] || fail "title: the picture lies at '$placed'"
# The settings plate's right and bottom edges (its frame's 700, 540) scaled by 4/3 from the
# picture's left edge; the pointer at the picture's top left widens the box the other way.
read -r _ _ _ _ right bottom _ < <(python3 "$picture" "$out/settings.xwd" "$out/settings.png")
[ $((right - 1040)) -ge -1 ] && [ $((right - 1040)) -le 1 ] && [ $((bottom - 720)) -ge -1 ] &&
  [ $((bottom - 720)) -le 1 ] || fail "settings: the plate ends at $right, $bottom"
if [ -n "${DARTS_PLAY_TEST_KEEP:-}" ]; then
  mkdir -p "$DARTS_PLAY_TEST_KEEP"
  cp "$out"/*.png "$DARTS_PLAY_TEST_KEEP"/
fi
echo "centred with bars at 1280 x 800"
