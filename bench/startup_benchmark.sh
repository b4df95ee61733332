#!/usr/bin/env bash
# Start-up to the first presented frame, warm: the game started windowed on a virtual X server,
# one frame drawn and presented, then it quits. One run warms the file cache and the driver, then
# RUNS runs (default 11) are timed and their median printed in milliseconds.
#
#   bench/startup_benchmark.sh DARTS [RUNS]     (run from the top of the repository)
set -euo pipefail
if [ "${1:-}" = --inside ]; then
  darts=$2 runs=$3
  times=()
  for ((i = 0; i <= runs; i++)); do
    start=$(date +%s%N)
    "$darts" --window --seed 1 --frames 1 >/dev/null
    end=$(date +%s%N)
    [ "$i" -gt 0 ] && times+=($(((end - start) / 1000000)))
  done
  sorted=$(printf '%s\n' "${times[@]}" | sort -n)
  echo "start-up, one frame and exit, ms: $(echo $sorted)"
  echo "median $(echo "$sorted" | sed -n "$(((runs + 1) / 2))p") ms over $runs runs"
  exit 0
fi
darts=$(realpath "$1")
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$darts" "${2:-11}"
