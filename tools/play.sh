#!/usr/bin/env bash
# Installs what is missing, builds, and plays. Until the game has its window this watches the
# computer play a whole match against itself, one line per dart.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build -j "$(nproc)"
build/tools/darts-sim autoplay --seed "$(date +%s)" --matches 1
