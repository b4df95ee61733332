#!/usr/bin/env bash
# The cost of drawing: one demo played as fast as it goes, drawn on OpenGL under a virtual X
# server (Mesa's software renderer where there is no GPU), and again without drawing at all.
#
#   tools/timedemo.sh [DEMO] [BUILD_DIR]   (default tests/demos/bar-win.dem and build)
set -euo pipefail
cd "$(dirname "$0")/.."
demo=${1:-tests/demos/bar-win.dem}
build=${2:-build}
drawn=$(xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$build/src/darts" --window --timedemo "$demo" \
  2>/dev/null | tail -n 1)
headless=$("$build/tools/darts-sim" demo "$demo")
echo "drawn:     $drawn"
echo "not drawn: $headless"
