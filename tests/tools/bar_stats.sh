#!/usr/bin/env bash
# darts-sim autoplay --stats: after every leg a line per side whose statistics and awards agree
# with that leg's dart lines, recomputed here from the darts alone.
#   bar_stats.sh DARTS_SIM MATCHES
set -euo pipefail
sim=$1
matches=$2
out=$(mktemp)
trap 'rm -f "$out"' EXIT

check() {
  "$sim" autoplay --seed "$1" --matches "$matches" --stats "${@:2}" > "$out"
  python3 - "$out" "$*" <<'PY'
import json, sys
lines = [json.loads(line) for line in open(sys.argv[1])]
what = sys.argv[2]
MARKS = {"S": 1, "D": 2, "T": 3, "OB": 1, "IB": 2, "miss": 0}

def turns_of(darts, side):
    turns = []
    for d in darts:
        if d["side"] != side:
            continue
        if d["dart"] == 1:
            turns.append([])
        turns[-1].append(d)
    return turns

def x01_award(turn, took, win):
    if len(turn) < 3 or any(d["bust"] for d in turn) or win:
        return None
    total = sum(took)
    rings = [d["ring"] for d in turn]
    if total == 180: return "TON 80"
    if all(r == "IB" for r in rings): return "THREE IN THE BLACK"
    if all(r in ("IB", "OB") for r in rings): return "HAT TRICK"
    if rings[0] in "SDT" and all((d["ring"], d["number"]) == (rings[0], turn[0]["number"]) for d in turn):
        return "THREE IN A BED"
    if 151 <= total <= 179: return "HIGH TON"
    if 100 <= total <= 150: return "LOW TON"
    return None

def expected(darts, side, sides):
    game = darts[0]["game"]
    turns = turns_of(darts, side)
    rounds = len(turns)
    awards, rounds80, crossed = [], None, False
    if game == "countup":
        total = 0
        for t in turns:
            took = []
            for d in t:
                took.append(d["points"][side] - total)
                total = d["points"][side]
            a = x01_award(t, took, False)
            if a: awards.append(a)
        return {"total": total, "awards": awards}
    if game not in ("cricket", "cutthroat"):
        start = int(game)
        left = start
        points = points80 = None
        for n, t in enumerate(turns, 1):
            took = []
            for d in t:
                took.append(0 if d["bust"] else left - d["left"][side])
                left = d["left"][side]
                crossed = crossed or 5 * left <= start
            win = left == 0
            a = x01_award(t, took, win)
            if a: awards.append(a)
            if crossed and rounds80 is None:
                rounds80, points80 = n, start - left
        if rounds80 is None:
            rounds80, points80 = rounds, start - left
        return {"ppr": round((start - left) / rounds, 2), "ppr80": round(points80 / rounds80, 2),
                "awards": awards}
    # Cricket: a dart's marks count when they open a target or score on somebody.
    marks = [[0] * 7 for _ in range(sides)]
    scores = [0] * sides
    total = marks80 = 0
    state = {"marks": marks, "scores": scores}
    counted_turns = []
    current = None
    for d in darts:
        if d["side"] == side and d["dart"] == 1:
            fresh = [all(state["marks"][s][k] < 3 for s in range(sides)) for k in range(7)]
            current = {"darts": [], "fresh": fresh}
            counted_turns.append(current)
        opened = sum(d["marks"][d["side"]]) - sum(state["marks"][d["side"]])
        scored = any(d["points"][s] > state["scores"][s] for s in range(sides))
        target = 6 if d["ring"] in ("OB", "IB") else (d["number"] - 15 if 15 <= d["number"] <= 20 and d["ring"] != "miss" else -1)
        hit = MARKS[d["ring"]] if target >= 0 else 0
        counted = opened + (hit - opened if scored else 0)
        if d["side"] == side:
            current["darts"].append((d, counted, target >= 0 and current["fresh"][target]))
        state["marks"] = [list(m) for m in d["marks"]]
        state["scores"] = list(d["points"])
    for n, t in enumerate(counted_turns, 1):
        got = sum(c for _, c, _ in t["darts"])
        total += got
        if not crossed:
            marks80 = total
            rounds80 = n
            crossed = any(sum(1 for m in d["marks"][side] if m >= 3) >= 6 for d, _, _ in t["darts"])
        nums = [d["number"] for d, _, _ in t["darts"]]
        horse = len(t["darts"]) == 3 and all(d["ring"] == "T" and f for d, _, f in t["darts"]) and len(set(nums)) == 3
        if horse: awards.append("WHITE HORSE")
        elif got >= 9: awards.append("NINE MARK")
        elif got >= 5: awards.append(f"{got} MARK")
    return {"mpr": round(total / rounds, 2), "mpr80": round(marks80 / rounds80, 2), "awards": awards}

legs, stat_lines, checked, awards_seen = {}, 0, 0, set()
for line in lines[:-1]:
    key = (line["match"], line["leg"]) if "leg" in line else None
    if key is None or line.get("cork"):
        continue
    if "ring" in line:
        legs.setdefault(key, []).append(line)
    elif "ppr" in line:
        stat_lines += 1
        darts = legs.get(key, [])
        assert darts, (what, line)
        sides = len(darts[0].get("left", darts[0].get("points")))
        want = expected(darts, line["side"], sides)
        awards_seen.update(line["awards"])
        for name, value in want.items():
            got = line[name]
            assert got == value, (what, line, name, value)
        for name in ("ppr", "ppr80", "mpr", "mpr80", "total"):
            if name not in want:
                assert line[name] is None, (what, line, name)
        checked += 1
played = sum(len(set(d["side"] for d in darts)) for darts in legs.values())
assert checked == stat_lines and checked >= played > 0, (what, checked, played)
print(f"{what}: {len(legs)} legs, {checked} statistics lines agree with the darts; awards seen: "
      + ", ".join(sorted(awards_seen)))
PY
}

check 11 --game 501 --in double --out double --sides r12,r8
check 12 --game 701 --out master --bull fat --rounds 10 --sides r10,r6,r4,p
check 13 --game cricket --sides r12,r9
check 14 --game cutthroat --rounds 15 --sides r12,r10,r8
check 15 --game countup --sides r12,r10
check 16 --game medley --legs 5 --sides r14,r12
