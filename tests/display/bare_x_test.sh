#!/usr/bin/env bash
# Full screen with no window manager, as on a kiosk or a bar cabinet running X with the game
# alone: on a bare virtual X server of 1920 x 1080 the default full screen covers the screen and
# shows the whole title, scaled to 1440 x 1080 in the middle with black bars, as on a desktop
# (not an 800 x 600 window in the middle showing a magnified corner), after Alt+Enter there and
# back too. Escape still ends the game.
#
#   bare_x_test.sh DARTS     (run from the top of the repository)
#
# DARTS_DISPLAY_TEST_KEEP=DIR keeps every root-window dump as DIR/NN-what.png.
# Exits 77 (skipped) without Xvfb, xwd, xdotool or python3.
set -euo pipefail

darts=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xwd xdotool python3; do
  if ! command -v "$tool" >/dev/null; then echo "skipped: $tool is needed"; exit 77; fi
done

say() { echo "$*"; }
fail() { say "FAIL: $*"; exit 1; }

. "$here/root_pictures.sh"
. "$here/../played/played_game.sh"

scratch=$(mktemp -d)
xvfb=""
game=""
cleanup() {
  [ -n "$game" ] && kill -9 "$game" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
trap "exit 143" TERM INT

# -displayfd: the server takes the first free display number and writes it once it is ready.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb=$!
await_display_number "$xvfb"
[ -n "$number" ] || fail "Xvfb did not start"
export DISPLAY=":$number"

# The game on this X server, with no settings of the player's own and no sound card.
unset WAYLAND_DISPLAY
# No session bus: a bus that accepts the connection and never answers (seen on a loaded CI
# machine) holds SDL's video start-up in a read for good, and this test is about the display.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/no-session-bus"
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$scratch/config" \
  XDG_DATA_HOME="$scratch/share"
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0"
"$darts" --seed 7 2>"$scratch/stderr.txt" &
game=$!
wait_for_window "$game" 60 || { cat "$scratch/stderr.txt"; exit 1; }
await_picture "full screen with no window manager, the title" 240 0 1680 1080 dark
# With no window manager the keyboard follows the pointer, which stands over the game. Alt+Enter
# gives an 800 x 600 window in the middle, and again full screen.
xdotool key alt+Return
await_picture "Alt+Enter" 560 240 1360 840 dark
xdotool key alt+Return
await_picture "Alt+Enter twice" 240 0 1680 1080 dark
hold_key Escape
wait_for_exit "$game" 30
game=""
cat "$scratch/stderr.txt"
[ "$status" -eq 0 ] || fail "the game ended with status $status after Escape"
[ -s "$scratch/stderr.txt" ] && fail "the game wrote the lines above to stderr"
say "all passed"
