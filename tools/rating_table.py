#!/usr/bin/env python3
"""Measures the computer's strength levels as the bar machines rate players, through darts-sim's
bar games (the real match loop, throw and flight): for each level, LEGS legs of 501 and of Cricket
between two sides of that level.

  01 stat: points per round of three darts, taken until a side has removed 80% of its start
           count (the round that passes 80% counts whole).
  MPR:     Cricket marks per round: marks that count (up to three on a target, and those that
           score), per three darts thrown.

usage: rating_table.py DARTS_SIM [LEGS] [LEVEL...]     (prints a Markdown table)"""
import json
import subprocess
import sys


def legs_of(sim, game, level, legs, seed):
    out = subprocess.run([sim, 'autoplay', '--seed', str(seed), '--matches', str(legs), '--game',
                          game, '--sides', f'r{level},r{level}'],
                         check=True, capture_output=True, text=True).stdout
    darts = {}
    for line in out.splitlines():
        record = json.loads(line)
        if 'ring' in record:
            darts.setdefault(record['match'], []).append(record)
    return darts.values()


def x01_stat(legs, start=501):
    points = rounds = 0
    for darts in legs:
        for side in (0, 1):
            own = [d for d in darts if d['side'] == side]
            turns, left = set(), start
            for dart in own:
                turns.add(dart['round'])
                left = dart['left'][side]
                if left <= start * 0.2:
                    break
            rounds += len(turns)
            points += start - left
    return points / rounds


def marks_per_round(legs):
    marks = thrown = 0
    for darts in legs:
        before = {0: (0, 0), 1: (0, 0)}
        values = [15, 16, 17, 18, 19, 20, 25]
        for dart in darts:
            side = dart['side']
            closed, points = sum(dart['marks'][side]), dart['points'][side]
            gained = closed - before[side][0]
            if points > before[side][1] and dart['number'] in values:
                gained += (points - before[side][1]) // dart['number']
            marks += gained
            thrown += 1
            before[side] = (closed, points)
    return 3 * marks / thrown


def main():
    sim = sys.argv[1]
    legs = int(sys.argv[2]) if len(sys.argv) > 2 else 300
    levels = [int(v) for v in sys.argv[3:]] or list(range(1, 19))
    print('| level | 01 stat | marks per round |')
    print('|---|---|---|')
    for level in levels:
        x01 = x01_stat(legs_of(sim, '501', level, legs, 1000 + level))
        mpr = marks_per_round(legs_of(sim, 'cricket', level, legs, 2000 + level))
        print(f'| Rt{level} | {x01:.1f} | {mpr:.2f} |', flush=True)


if __name__ == '__main__':
    main()
