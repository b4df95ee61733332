#!/usr/bin/env bash
# Whole matches with a shot table whose record for one count aims a half turn away from the board:
# the side that reaches that count throws every dart away, each falls short and counts as a miss,
# and the matches still end normally (darts-sim exits 1 when one is abandoned at its frame limit).
#
#   autoplay_stray_shot.sh DARTS_SIM COUNT SEED MATCHES     (from the top of the repository)
set -euo pipefail
sim=$(realpath "$1")
count=$2 seed=$3 matches=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/data"
cp data/pcdata.kpd "$work/data/"
# Records are 24 bytes: two 11-byte fields and CR LF; record n is for count n.
{
  head -c $(((count - 1) * 24)) data/pcshotp.kpd
  printf '%11.7f%11.7f\r\n' 0.0 3.1415927
  tail -c +$((count * 24 + 1)) data/pcshotp.kpd
} >"$work/data/pcshotp.kpd"
cmp -s data/pcshotp.kpd "$work/data/pcshotp.kpd" && { echo "the record did not change"; exit 2; }
cd "$work"
status=0
"$sim" autoplay --seed "$seed" --matches "$matches" --frame-limit 400000 >autoplay.jsonl || status=$?
# The stray record was used: some side stood at that count and missed with several darts.
stray=$(grep -c "\"score\":0,\"scoreLeft\":$count," autoplay.jsonl || true)
tail -n 1 autoplay.jsonl
echo "darts missed at count $count: $stray"
[ "$status" -eq 0 ] || { echo "darts-sim exit status $status"; exit 1; }
[ "$stray" -ge 3 ] || { echo "the stray shot was never thrown: pick another seed"; exit 1; }
