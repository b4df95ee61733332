#!/usr/bin/env bash
# The display handling against a real X server with RandR modes: Xorg with the dummy video driver,
# started here on a free display number with the modes 1920 x 1080, 1280 x 1024 and 800 x 600, and
# stopped here. Root-window dumps show where the picture lies, xrandr which mode is on.
#
#   xorg_display_test.sh DARTS     (run from the top of the repository)
#
# A small window manager (openbox, without decorations) runs beside it, as on a desktop: without
# one, SDL's full screen on the desktop's mode leaves the window at its own size and the game gets
# no keyboard focus.
#
# Exits 77 (skipped) without Xorg, its dummy driver, openbox, xrandr, xwd or xdotool.
set -euo pipefail

darts=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xorg openbox xrandr xwd xdotool python3; do
  if ! command -v "$tool" >/dev/null; then echo "skipped: $tool is needed"; exit 77; fi
done
if ! ls /usr/lib/xorg/modules/drivers/dummy_drv.so >/dev/null 2>&1; then
  echo "skipped: the Xorg dummy driver (xserver-xorg-video-dummy) is needed"; exit 77
fi

scratch=$(mktemp -d)
xorg=""
wm=""
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
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
# -br: a black root window that repaints what a smaller window no longer covers.
Xorg ":$number" -config "$scratch/xorg.conf" -br -noreset -nolisten tcp -logfile "$scratch/xorg.log" \
  >/dev/null 2>&1 &
xorg=$!
export DISPLAY=":$number"
for _ in $(seq 50); do xrandr >/dev/null 2>&1 && break; sleep 0.2; done
if ! xrandr >/dev/null 2>&1; then
  echo "skipped: Xorg with the dummy driver did not start"; tail -5 "$scratch/xorg.log"; exit 77
fi
xrandr -s 1920x1080 >/dev/null 2>&1 || true

# No title bars or borders, which would show in the root-window dumps; new windows take focus.
cat >"$scratch/openbox.xml" <<'CONF'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <placement><policy>Smart</policy><center>yes</center></placement>
  <desktops><number>1</number></desktops>
  <applications><application class="*"><decor>no</decor></application></applications>
</openbox_config>
CONF
HOME="$scratch" openbox --config-file "$scratch/openbox.xml" >"$scratch/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break
  sleep 0.1; done

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
# lies outside it and it reaches into each of the box's outer tenths. A loaded machine may take
# seconds to show the first picture or a change, so the dumps are repeated for up to 20 s until
# the picture is there; only the last one counts.
picture_at() {  # LEFT TOP RIGHT BOTTOM, with l t r b set from the last dump
  local spanw=$(($3 - $1)) spanh=$(($4 - $2))
  [ "$l" -ge "$1" ] && [ "$t" -ge "$2" ] && [ "$r" -le "$3" ] && [ "$b" -le "$4" ] &&
    [ "$l" -le $(($1 + spanw / 10)) ] && [ "$r" -ge $(($3 - spanw / 10)) ] &&
    [ "$t" -le $(($2 + spanh / 10)) ] && [ "$b" -ge $(($4 - spanh / 10)) ]
}
await_within() {  # WHAT LEFT TOP RIGHT BOTTOM
  local what=$1; shift
  local deadline=$((SECONDS + 20))
  while :; do
    read -r w h l t r b < <(picture)
    picture_at "$@" && break
    [ "$SECONDS" -lt "$deadline" ] || { fail "$what: picture $l,$t..$r,$b not at $1,$2..$3,$4"; break; }
    sleep 0.3
  done
  echo "$what: screen ${w}x${h}, picture $l,$t..$r,$b"
}
# A window no larger than WIDTH x HEIGHT, somewhere on the screen.
await_window() {  # WHAT WIDTH HEIGHT
  local deadline=$((SECONDS + 20))
  while :; do
    read -r _ _ l t r b < <(picture)
    [ "$r" -gt "$l" ] && [ $((r - l)) -le "$2" ] && [ $((b - t)) -le "$3" ] && break
    [ "$SECONDS" -lt "$deadline" ] || { fail "$1: no ${2}x$3 window ($l,$t..$r,$b)"; break; }
    sleep 0.3
  done
  echo "$1: picture $l,$t..$r,$b"
}
await_mode() {  # WHAT MODE
  local deadline=$((SECONDS + 10))
  until [ "$(mode)" = "$2" ]; do
    [ "$SECONDS" -lt "$deadline" ] || { fail "$1: the mode is $(mode), not $2"; return; }
    sleep 0.2
  done
}

# Default: full screen on the desktop's mode, the picture 1440 x 1080 in the middle.
start_game
await_within "default" 240 0 1680 1080
[ "$(mode)" = 1920x1080 ] || fail "default: the mode changed to $(mode)"
# Alt+Enter: a window (the desktop's black root shows around it), then full screen again.
xdotool key alt+Return
await_window "after Alt+Enter" 800 600
xdotool key alt+Return
await_within "Alt+Enter twice" 240 0 1680 1080
quit_game || fail "default: the game ended with status $?"
[ "$(mode)" = 1920x1080 ] || fail "default: the mode is $(mode) after Escape"

# --stretch: the whole screen.
start_game --stretch
await_within "--stretch" 0 0 1920 1080
quit_game || fail "--stretch: status $?"

# --display-mode: 800 x 600 while the game runs, the desktop's mode back after Escape.
start_game --display-mode
await_mode "--display-mode" 800x600
await_within "--display-mode" 0 0 800 600
quit_game || fail "--display-mode: status $?"
await_mode "--display-mode, after Escape" 1920x1080

# ... and after a fatal exit mid-game: the roster is taken away on the character-select screen,
# and the darts bar, which draws the opponent from it, ends the game with one line and status 1.
start_game --display-mode
await_mode "--display-mode (fatal)" 800x600
window=$(xdotool search --name '^301 Darts Bar$' | head -n 1)
await_within "--display-mode (fatal), title" 0 0 800 600
xdotool mousemove_relative -- 120 170 mousedown 1; sleep 0.3; xdotool mouseup 1; sleep 1.5
rm "$scratch/data/pcdata.kpd"
xdotool mousemove --window "$window" 640 512 mousedown 1; sleep 0.3; xdotool mouseup 1
status=0
timeout 20 tail --pid="$game" -f /dev/null || true
if kill -0 "$game" 2>/dev/null; then fail "--display-mode (fatal): the game did not end"; fi
wait "$game" || status=$?
game=""
[ "$status" -eq 1 ] || fail "--display-mode (fatal): the game ended with status $status, not 1"
grep -q '^darts: cannot open the roster' "$scratch/stderr.txt" ||
  fail "--display-mode (fatal): no line about the roster on stderr"
await_mode "--display-mode (fatal), after the exit" 1920x1080
cp data/pcdata.kpd "$scratch/data/"

# --window: resized by the window manager's way (xdotool), the picture keeps 4:3.
start_game --window
await_window "--window" 800 600
window=$(xdotool search --name '^301 Darts Bar$' | head -n 1)
xdotool windowsize "$window" 1600 700
# 700 high: 933 x 700 (give or take the edge of the picture's own black).
deadline=$((SECONDS + 20))
while :; do
  read -r _ _ l t r b < <(picture)
  width=$((r - l)) height=$((b - t))
  [ "$height" -le 700 ] && [ "$height" -ge 630 ] && [ "$width" -le 934 ] && [ "$width" -ge 840 ] &&
    break
  [ "$SECONDS" -lt "$deadline" ] ||
    { fail "--window: the resized picture is ${width}x$height, not 4:3 within 1600x700"; break; }
  sleep 0.3
done
echo "--window resized to 1600x700: picture $l,$t..$r,$b"
quit_game || fail "--window: status $?"

# A demo recorded across Alt+Enter round trips (on the title and the character select) replays
# with every checksum equal: the toggle is no input of the game's.
start_game --window --record "$scratch/toggle.dem"
await_window "recording" 800 600
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
