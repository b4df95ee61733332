#!/usr/bin/env bash
# Every bar game played to its end by 1 to 4 computer sides through the match loop: darts-sim
# exits 0 (no leg abandoned, every count adds up), and its lines tell a whole story: every leg
# that had darts ends with a winner, every match with one, a medley within its legs.
#   bar_games.sh DARTS_SIM MATCHES
set -euo pipefail
sim=$1
matches=$2
out=$(mktemp)
trap 'rm -f "$out"' EXIT

play() {
  "$sim" autoplay --seed "$1" --matches "$matches" "${@:2}" > "$out"
  python3 - "$out" "$*" <<'PY'
import json, sys
lines = [json.loads(line) for line in open(sys.argv[1])]
what = sys.argv[2]
summary = lines[-1]
assert summary["abandoned"] == 0, what
matches = {}
for line in lines[:-1]:
    m = matches.setdefault(line["match"], {"legs": {}, "winner": None, "darts": 0})
    if "winner" in line and "leg" in line:
        assert line["leg"] not in m["legs"], (what, line)
        m["legs"][line["leg"]] = line
    elif "winner" in line:
        m["winner"] = line["winner"]
    elif "cork" not in line:
        m["darts"] += 1
        assert line["ring"] in ("S", "D", "T", "OB", "IB", "miss"), line
        for left in line.get("left", []):
            assert left >= 0, line
for number, m in matches.items():
    assert m["winner"] is not None, (what, number)
    assert m["darts"] > 0, (what, number)
    assert 1 <= len(m["legs"]) <= 5, (what, number, m["legs"])
print(f"{what}: {len(matches)} matches, {sum(len(m['legs']) for m in matches.values())} legs")
PY
}

play 1 --game 301 --sides r8,r8
play 2 --game 501 --in double --out double --sides r12,r6,p
play 3 --game 701 --out master --bull fat --rounds 10 --sides r4,r4,r4,r4
play 4 --game 1501 --rounds 20 --sides p
play 5 --game cricket --sides r10,r8
play 6 --game cutthroat --rounds 15 --sides r10,r10,r10
play 7 --game countup --sides r6
play 8 --game countup --sides p,p,p,p
play 9 --game medley --legs 5 --x01 301 --sides r10,r10
play 10 --game medley --sides c1,c8,r5

# Refused with one line and the usage: a bad game, level, side or round limit.
for bad in "--game 401" "--game cricket --rounds 10" "--game 501 --sides r99" \
           "--game 501 --sides r1,r1,r1,r1,r1" "--game 501 --sides x" "--game medley --legs 4"; do
  # shellcheck disable=SC2086
  if "$sim" autoplay --seed 1 --matches 1 $bad > /dev/null 2> "$out"; then
    echo "accepted: $bad"; exit 1
  fi
  grep -q "usage: darts-sim" "$out" || { echo "no usage for: $bad"; exit 1; }
done
