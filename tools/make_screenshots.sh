#!/usr/bin/env bash
# Takes the README's pictures again from the darts-bar demo: the title, a throw being aimed and
# the landing camera. Needs xvfb-run.
#
#   tools/make_screenshots.sh [BUILD_DIR]     (default build; run from anywhere)
set -euo pipefail
cd "$(dirname "$0")/.."
darts=${1:-build}/src/darts
xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$darts" --window --timedemo tests/demos/bar-win.dem \
  --frames 348 --screenshot 15:docs/screenshots/title.png \
  --screenshot 178:docs/screenshots/throw.png --screenshot 348:docs/screenshots/landing.png
