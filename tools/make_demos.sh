#!/usr/bin/env bash
# Makes the demos in tests/demos/ again: darts-sim's demo player plays each script with the
# game's own input recorder listening. Run after a change that alters play (the rules, the
# throw, the front end), then check the new demos with the tests.
#
#   tools/make_demos.sh [BUILD_DIR]     (default build; run from anywhere)
set -euo pipefail
cd "$(dirname "$0")/.."
sim=${1:-build}/tools/darts-sim
"$sim" make-demo --script bar-win --seed 7 --out tests/demos/bar-win.dem
"$sim" make-demo --script bar-lose --seed 8 --out tests/demos/bar-lose.dem
"$sim" make-demo --script tournament --seed 8 --out tests/demos/tournament.dem
"$sim" make-demo --script escape --seed 7 --out tests/demos/escape.dem
"$sim" make-demo --script escape --seed 7 --language en --out tests/demos/escape-en.dem
# The bar games, played by computer seats alone in the game itself (a virtual X server stands in
# for the screen); the frame limit ends each as Escape would.
game=${1:-build}/src/darts
for made in "cricket --sides c2,r8,r12 --frames 6000 --record tests/demos/cricket.dem" \
            "501 --in double --out double --sides r4,r8,c3,p --frames 6000 --record tests/demos/x01-four.dem"; do
  # shellcheck disable=SC2086
  DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent xvfb-run -a -s "-noreset -screen 0 1024x768x24" \
    "$game" --window --seed 11 --game $made 2> /dev/null
done
