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
