#!/usr/bin/env bash
# darts-sim autoplay --awards only adds to what it prints: the award on each turn-ending line and
# one statistics line per side and match. The statistics agree with the darts printed: the winner
# scored exactly 301, a bust turn scored nothing, the best turn is the best turn seen.
#
#   autoplay_awards.sh DARTS_SIM SEED MATCHES     (from the top of the repository)
set -euo pipefail
sim=$1 seed=$2 matches=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$sim" autoplay --seed "$seed" --matches "$matches" >"$work/plain.jsonl"
"$sim" autoplay --seed "$seed" --matches "$matches" --awards >"$work/awards.jsonl"
python3 - "$work/plain.jsonl" "$work/awards.jsonl" <<'PY'
import json, sys
plain = [json.loads(l) for l in open(sys.argv[1])]
awarded = [json.loads(l) for l in open(sys.argv[2])]
darts = [d for d in awarded if "dart" in d]
stats = [d for d in awarded if "ppd" in d]
stripped = [{k: v for k, v in d.items() if k != "award"} for d in awarded if "ppd" not in d]
assert stripped == plain, "--awards changed what autoplay prints"
names = {None, "TON 80", "THREE IN THE BLACK", "HAT TRICK", "THREE IN A BED", "HIGH TON", "LOW TON"}
turn, expect = {}, {}
seen = set()
for d in darts:
    key = (d["match"], d["side"])
    e = expect.setdefault(key, {"darts": 0, "points": 0, "best": 0})
    t = turn.setdefault(key, [])
    t.append(d["score"])
    e["darts"] += 1
    ends = d["bust"] or d["win"] or d["dart"] == 3
    assert ("award" in d) == ends, f"award key on the wrong line: {d}"
    if ends:
        assert d["award"] in names, d
        seen.add(d["award"])
        if d["bust"] or d["win"]:
            assert d["award"] is None, d
        points = 0 if d["bust"] else sum(t)
        if d["award"] == "TON 80": assert points == 180, d
        if d["award"] == "HIGH TON": assert 151 <= points <= 179, d
        if d["award"] == "LOW TON": assert 100 <= points <= 150, d
        e["points"] += points
        e["best"] = max(e["best"], points)
        turn[key] = []
wins = {d["match"]: d["side"] for d in darts if d["win"]}
assert len(stats) == 2 * len(wins), "one statistics line per side and match"
for s in stats:
    e = expect.get((s["match"], s["side"]), {"darts": 0, "points": 0, "best": 0})
    assert (s["darts"], s["points"], s["best"]) == (e["darts"], e["points"], e["best"]), (s, e)
    ppd = s["points"] / s["darts"] if s["darts"] else 0
    assert abs(s["ppd"] - ppd) < 0.006, s
    if wins[s["match"]] == s["side"]:
        assert s["points"] == 301, s
print(f"{len(stats) // 2} matches, awards seen: {sorted(a for a in seen if a)}")
PY
