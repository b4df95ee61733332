// Darts by name for the bar games' tests, and a way to throw a run of them.
#pragma once

#include <initializer_list>

#include "games/leg_rules.h"

namespace darts::games::test {

inline Hit S(int n) { return {Ring::Single, n}; }
inline Hit D(int n) { return {Ring::Double, n}; }
inline Hit T(int n) { return {Ring::Triple, n}; }
inline const Hit kOuterBull{Ring::OuterBull, 25};
inline const Hit kInnerBull{Ring::InnerBull, 25};
inline const Hit kMiss{Ring::Miss, 0};

// Throws the darts in order; the last one's outcome.
inline DartOutcome throwDarts(LegRules& leg, std::initializer_list<Hit> hits) {
    DartOutcome last;
    for (Hit h : hits) last = leg.dart(h);
    return last;
}

// Misses until the side to throw is `side` with a fresh turn.
inline void missUntil(LegRules& leg, int side) {
    while (!leg.over() && (leg.sideToThrow() != side || leg.dartInTurn() != 0)) leg.dart(kMiss);
}

}  // namespace darts::games::test
