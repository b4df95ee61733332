#!/usr/bin/env bash
# Soak test: many whole computer-vs-computer matches through the real match loop and frame code
# (darts-sim's headless device, unpaced), watched for memory growth and broken invariants.
#
#   tools/soak.sh        (from the top of the repository, after a build in build/)
#
# 1. darts-sim autoplay plays DARTS_SOAK_MATCHES (10000) matches while the process's resident size
#    is sampled every second; darts-sim itself exits 1 when a match is abandoned at its frame limit
#    or the counts stop adding up after a dart.
# 2. The same under valgrind's massif for at least DARTS_SOAK_FRAMES (100000) frames: peak heap,
#    and the heap a quarter into the run against the heap nine tenths into it.
# Prints the figures and exits 1 when an invariant broke or the heap grew. Takes a few minutes; it
# is not part of tools/test.sh.
set -euo pipefail

build=${DARTS_BUILD:-build}
sim=$build/tools/darts-sim
matches=${DARTS_SOAK_MATCHES:-10000}
frames_wanted=${DARTS_SOAK_FRAMES:-100000}
seed=${DARTS_SOAK_SEED:-20261208}
[ -x "$sim" ] || { echo "soak: no $sim (build first)" >&2; exit 2; }
command -v valgrind >/dev/null || { echo "soak: valgrind is needed (apt-get install valgrind)" >&2; exit 2; }

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failed=0

# The summary line of an autoplay run, as "matches frames darts abandoned".
summary() {
  tail -n 1 "$1" | sed -E 's/.*"matches":([0-9]+),"frames":([0-9]+),"darts":([0-9]+),"abandoned":([0-9]+).*/\1 \2 \3 \4/'
}

echo "== $matches matches: darts-sim autoplay --seed $seed --matches $matches"
start=$(date +%s)
"$sim" autoplay --seed "$seed" --matches "$matches" >"$out/autoplay.jsonl" 2>"$out/autoplay.err" &
pid=$!
rss_samples=()
while kill -0 "$pid" 2>/dev/null; do
  rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
  [ -n "$rss" ] && rss_samples+=("$rss")
  sleep 1
done
status=0
wait "$pid" || status=$?
seconds=$(($(date +%s) - start))
read -r played frames darts abandoned < <(summary "$out/autoplay.jsonl")
echo "matches $played, frames $frames, darts $darts, abandoned $abandoned, ${seconds} s, exit status $status"
if [ "${#rss_samples[@]}" -ge 2 ]; then
  max=0
  for r in "${rss_samples[@]}"; do [ "$r" -gt "$max" ] && max=$r; done
  echo "resident size: first sample ${rss_samples[0]} KiB, last sample ${rss_samples[-1]} KiB," \
       "largest ${max} KiB (${#rss_samples[@]} samples)"
fi
if [ "$status" -ne 0 ] || [ "$abandoned" -ne 0 ] || [ -s "$out/autoplay.err" ]; then
  echo "FAIL: an invariant broke"; cat "$out/autoplay.err"; failed=1
fi

# Enough matches for the frame count, from the average above, with a margin.
per_match=$((frames / played))
massif_matches=$(((frames_wanted + per_match - 1) / per_match * 5 / 4 + 1))
echo "== heap under massif: darts-sim autoplay --seed $seed --matches $massif_matches"
status=0
valgrind --tool=massif --time-unit=i --max-snapshots=200 --massif-out-file="$out/massif.out" \
  "$sim" autoplay --seed "$seed" --matches "$massif_matches" >"$out/massif.jsonl" \
  2>"$out/massif.err" || status=$?
read -r played frames darts abandoned < <(summary "$out/massif.jsonl")
echo "matches $played, frames $frames, darts $darts, abandoned $abandoned, exit status $status"
if [ "$status" -ne 0 ] || [ "$abandoned" -ne 0 ]; then
  echo "FAIL: an invariant broke under massif"; grep -v '^==' "$out/massif.err" || true; failed=1
fi
if [ "$frames" -lt "$frames_wanted" ]; then
  echo "FAIL: only $frames frames played, $frames_wanted wanted"; failed=1
fi

# Snapshots as "time heap". Massif records the heap when it changes, so the heap in force at a
# moment is that of the last snapshot at or before it: early is the heap a quarter into the run
# (start-up and the first matches done, with their one-time allocations such as the shot table's
# path), late the heap nine tenths into it (before the teardown frees everything).
awk '/^time=/ {t=substr($0, 6)} /^mem_heap_B=/ {print t, substr($0, 12)}' "$out/massif.out" \
  >"$out/heap.txt"
read -r peak early late < <(awk '
  { time[NR] = $1; heap[NR] = $2; if ($2 > peak) peak = $2; end = $1 }
  END {
    for (i = 1; i <= NR; ++i) {
      if (time[i] <= end / 4) early = heap[i]
      if (time[i] <= end * 9 / 10) late = heap[i]
    }
    print peak, early, late
  }' "$out/heap.txt")
echo "heap: peak $peak B, early in the run $early B, late in the run $late B" \
     "($(wc -l <"$out/heap.txt") snapshots)"
if [ "$late" -gt "$early" ]; then
  echo "FAIL: the heap grew by $((late - early)) B during play"; failed=1
fi

[ "$failed" -eq 0 ] && echo "soak: ok"
exit "$failed"
