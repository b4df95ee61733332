#!/usr/bin/env bash
# The settings file against the command line, through the game itself: what is typed wins over
# the file for that run, and what a demo cannot hold is left out of a demo when the file says it.
# A demo that cannot be opened or created ends the game with status 1 after the options were
# taken (2 would mean they were refused), so no display is needed; one real start on SDL's
# offscreen driver then shows the typed display options in effect.
#
#   typed_options_win_test.sh DARTS     (run from the top of the repository)
set -euo pipefail
darts=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/darts301"
printf 'display = mode\nscale = 2\nawards = yes\nmouse_speed = 9\nlanguage = en\n' \
  >"$work/darts301/darts301.conf"
export XDG_CONFIG_HOME=$work

taken() {  # ARGS...: the game accepts the options and stops at the demo it cannot use
  local status=0
  "$darts" "$@" >/dev/null 2>"$work/stderr" || status=$?
  if [ "$status" -ne 1 ] || ! grep -q "the demo file" "$work/stderr"; then
    echo "with the settings file, darts $* ended with status $status:"
    cat "$work/stderr"
    exit 1
  fi
}
taken --window --scale 3 --playdemo "$work/missing.dem"
taken --timedemo "$work/missing.dem"
taken --window --record "$work/no/such/folder/new.dem"
taken --display-mode --no-awards --record "$work/no/such/folder/new.dem"

# Two typed options that contradict each other are still refused.
status=0
"$darts" --window --display-mode >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || { echo "--window --display-mode ended with status $status, not 2"; exit 1; }

# The typed --window and --scale 1 win over the file's mode switch and scale 2: the sharp picture
# is drawn at the window's size. Skipped (77) where there is no offscreen driver.
status=0
SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "$darts" --window --scale 1 --sharp --frames 1 \
  --screenshot "1:$work/shot.png" >/dev/null 2>"$work/stderr" || status=$?
if grep -qE '^darts: cannot (start SDL video|create the window)' "$work/stderr"; then
  echo "skipped: no offscreen video driver"; cat "$work/stderr"; exit 77
fi
[ "$status" -eq 0 ] || { echo "the start ended with status $status:"; cat "$work/stderr"; exit 1; }
size=$(od -An -tu1 -j16 -N8 "$work/shot.png" | tr -s ' ' | sed 's/^ //')
[ "$size" = "0 0 3 32 0 0 2 88" ] || { echo "the picture is not 800 x 600 (PNG size bytes $size)"; exit 1; }
