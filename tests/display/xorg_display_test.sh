#!/usr/bin/env bash
# The display handling against a real X server with RandR modes: Xorg with the dummy video driver,
# started here on a free display number with the modes 1920 x 1080, 1280 x 1024 and 800 x 600, and
# stopped here. Root-window dumps show where the picture lies, xrandr which mode is on.
#
#   xorg_display_test.sh DARTS     (run from the top of the repository)
#
# Exits 77 (skipped) without Xorg, its dummy driver, xrandr, xwd or xdotool.
set -euo pipefail

darts=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xorg xrandr xwd xdotool python3; do
  if ! command -v "$tool" >/dev/null; then echo "skipped: $tool is needed"; exit 77; fi
done
if ! ls /usr/lib/xorg/modules/drivers/dummy_drv.so >/dev/null 2>&1; then
  echo "skipped: the Xorg dummy driver (xserver-xorg-video-dummy) is needed"; exit 77
fi

scratch=$(mktemp -d)
xorg=""
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  [ -n "$xorg" ] && kill "$xorg" 2>/dev/null && wait "$xorg" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# The game plays from a copy of its folders, so that a file can be taken away mid-game.
cp -r data sound "$scratch"/

cat >"$scratch/xorg.conf" <<'CONF'
Section "Device"
  Identifier "card"
  Driver "dummy"
  VideoRam 64000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  Modeline "1920x1080" 148.50 1920 2008 2052 2200 1080 1084 1089 1125 +hsync +vsync
  Modeline "1280x1024" 108.00 1280 1328 1440 1688 1024 1025 1028 1066 +hsync +vsync
  Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
EndSection
Section "Screen"
  Identifier "screen"
  Device "card"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1920x1080" "1280x1024" "800x600"
    Virtual 1920 1080
  EndSubSection
EndSection
CONF

number=""
for n in $(seq 40 99); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then number=$n; break; fi
done
[ -n "$number" ] || { echo "no free display number"; exit 1; }
Xorg ":$number" -config "$scratch/xorg.conf" -noreset -nolisten tcp -logfile "$scratch/xorg.log" \
  >/dev/null 2>&1 &
xorg=$!
export DISPLAY=":$number"
for _ in $(seq 50); do xrandr >/dev/null 2>&1 && break; sleep 0.2; done
if ! xrandr >/dev/null 2>&1; then
  echo "skipped: Xorg with the dummy driver did not start"; tail -5 "$scratch/xorg.log"; exit 77
fi
xrandr -s 1920x1080 >/dev/null 2>&1 || true

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
mode() { xrandr | sed -n 's/.* current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p'; }
shot=0
# The bounding box of what is not black; DARTS_DISPLAY_TEST_KEEP=DIR keeps each dump as a PNG.
picture() {
  xwd -root -silent >"$scratch/root.xwd"
  shot=$((shot + 1))
  local png=()
  if [ -n "${DARTS_DISPLAY_TEST_KEEP:-}" ]; then
    mkdir -p "$DARTS_DISPLAY_TEST_KEEP"; png=("$DARTS_DISPLAY_TEST_KEEP/root-$shot.png")
  fi
  python3 "$here/root_picture.py" "$scratch/root.xwd" "${png[@]}"
}
start_game() {
  (cd "$scratch" && exec "$darts" --seed 7 "$@" 2>>"$scratch/stderr.txt") &
  game=$!
  timeout 30 xdotool search --sync --name '^301 Darts Bar$' >/dev/null
  sleep 2
}
quit_game() {  # Escape held a few tenths of a second, as a player presses it
  xdotool keydown Escape; sleep 0.3; xdotool keyup Escape
  local status=0
  timeout 20 tail --pid="$game" -f /dev/null || true
  if kill -0 "$game" 2>/dev/null; then
    echo "the game did not quit on Escape"; kill "$game"; status=1
  fi
  wait "$game" || status=$?
  game=""
  return "$status"
}
# The title's picture is black at its borders in places: a picture is "at" a box when nothing
# lies outside it and it reaches into each of the box's outer tenths.
expect_within() {  # WHAT LEFT TOP RIGHT BOTTOM
  local what=$1; shift
  read -r w h l t r b < <(picture)
  echo "$what: screen ${w}x${h}, picture $l,$t..$r,$b"
  if [ "$l" -lt "$1" ] || [ "$t" -lt "$2" ] || [ "$r" -gt "$3" ] || [ "$b" -gt "$4" ]; then
    fail "$what: picture $l,$t..$r,$b outside $1,$2..$3,$4"
  fi
  local spanw=$(($3 - $1)) spanh=$(($4 - $2))
  if [ "$l" -gt $(($1 + spanw / 10)) ] || [ "$r" -lt $(($3 - spanw / 10)) ] ||
     [ "$t" -gt $(($2 + spanh / 10)) ] || [ "$b" -lt $(($4 - spanh / 10)) ]; then
    fail "$what: picture $l,$t..$r,$b does not fill $1,$2..$3,$4"
  fi
}

# Default: full screen on the desktop's mode, the picture 1440 x 1080 in the middle.
start_game
[ "$(mode)" = 1920x1080 ] || fail "default: the mode changed to $(mode)"
expect_within "default" 240 0 1680 1080
# Alt+Enter: a window (the desktop's black root shows around it), then full screen again.
xdotool key alt+Return; sleep 1.5
read -r _ _ l t r b < <(picture)
echo "after Alt+Enter: picture $l,$t..$r,$b"
[ $((r - l)) -le 800 ] && [ $((b - t)) -le 600 ] || fail "Alt+Enter: no 800 x 600 window ($l,$t..$r,$b)"
xdotool key alt+Return; sleep 1.5
expect_within "Alt+Enter twice" 240 0 1680 1080
quit_game || fail "default: the game ended with status $?"
[ "$(mode)" = 1920x1080 ] || fail "default: the mode is $(mode) after Escape"

# --stretch: the whole screen.
start_game --stretch
expect_within "--stretch" 0 0 1920 1080
quit_game || fail "--stretch: status $?"

# --display-mode: 800 x 600 while the game runs, the desktop's mode back after Escape.
start_game --display-mode
[ "$(mode)" = 800x600 ] || fail "--display-mode: the mode is $(mode), not 800x600"
quit_game || fail "--display-mode: status $?"
[ "$(mode)" = 1920x1080 ] || fail "--display-mode: the mode is $(mode) after Escape"

# ... and after a fatal exit mid-game: the shot table is taken away while a match runs, and the
# computer's turn ends the game with one line and status 1.
start_game --display-mode
[ "$(mode)" = 800x600 ] || fail "--display-mode (fatal): the mode is $(mode)"
# shellcheck source=../game/into_match.sh
source "$here/../game/into_match.sh"
into_match
rm "$scratch/data/pcshotp.kpd"
for _ in 1 2 3; do sleep 1.5; xdotool mousedown 1; sleep 0.3; xdotool mouseup 1; sleep 4; done
status=0
timeout 60 tail --pid="$game" -f /dev/null || true
if kill -0 "$game" 2>/dev/null; then fail "--display-mode (fatal): the game did not end"; fi
wait "$game" || status=$?
game=""
[ "$status" -ne 0 ] || fail "--display-mode (fatal): the game ended with status 0"
[ "$(mode)" = 1920x1080 ] || fail "--display-mode (fatal): the mode is $(mode) after the fatal exit"

# --window: resized by the window manager's way (xdotool), the picture keeps 4:3.
start_game --window
window=$(xdotool search --name '^301 Darts Bar$' | head -n 1)
xdotool windowsize "$window" 1600 700; sleep 1.5
read -r _ _ l t r b < <(picture)
echo "--window resized to 1600x700: picture $l,$t..$r,$b"
width=$((r - l)) height=$((b - t))
# 700 high: 933 x 700 (give or take the edge of the picture's own black).
[ "$height" -le 700 ] && [ "$width" -le 934 ] && [ "$width" -ge 800 ] ||
  fail "--window: the resized picture is ${width}x$height, not 4:3 within 1600x700"
quit_game || fail "--window: status $?"

# A demo recorded across Alt+Enter round trips (on the title and the character select) replays
# with every checksum equal: the toggle is no input of the game's.
start_game --window --record "$scratch/toggle.dem"
window=$(xdotool search --name '^301 Darts Bar$' | head -n 1)
xdotool mousemove_relative -- 30 40; sleep 0.5
xdotool key alt+Return; sleep 1.5; xdotool key alt+Return; sleep 1.5
xdotool mousemove_relative -- 90 130 mousedown 1; sleep 0.3; xdotool mouseup 1; sleep 1.5
xdotool key alt+Return; sleep 1.5; xdotool key alt+Return; sleep 1.5  # the character select
xdotool mousemove --window "$window" 640 512 mousedown 1; sleep 0.3; xdotool mouseup 1; sleep 1.5
quit_game || fail "recording across Alt+Enter: status $?"
(cd "$scratch" && SDL_VIDEODRIVER=offscreen "$darts" --playdemo toggle.dem 2>>"$scratch/stderr.txt") ||
  fail "the demo recorded across Alt+Enter does not replay"

cat "$scratch/stderr.txt" >&2 || true
[ "$failures" -eq 0 ]
