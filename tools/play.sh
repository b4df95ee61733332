#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game from the top of the repository (where its
# data/ and sound/ folders are). Options are passed on, e.g. tools/play.sh --window.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build -j "$(nproc)"
exec build/src/darts "$@"
