// The computer in the bar games: for each dart it chooses a bed to aim at for the leg in play and
// its own accuracy, and throws at it with the same mechanics as a human (the gauge it accepts, the
// spread of its release). Its strength is a level named by the bar machines' rating.
#pragma once

#include <string>

#include "games/leg_rules.h"
#include "match/aim_solver.h"

namespace darts::games {

// The spread of the computer's own errors around the throw it means: how far from its target
// gauge value it accepts the gauge, and how far from its target angle it releases (each drawn
// evenly within +-spread). Zero for a player that makes no error but the throw's own.
struct ThrowSpread {
    double gauge = 0;
    double release = 0;
};

// The strength levels offered: Rt 1 up to the highest the throw allows.
int highestLevel();
ThrowSpread levelSpread(int level);
// A roster character at its own two skills (gaugeSkill, releaseSkill).
ThrowSpread characterSpread(int gaugeSkill, int releaseSkill);

// A bed on the board and the point aimed at within it.
struct AimTarget {
    Hit bed;
    BoardPoint point;
};

// The bed the side to throw aims its next dart at, for its spread.
AimTarget chooseTarget(const LegRules& leg, const ThrowSpread& spread);
// A cork dart: the inner bull.
AimTarget corkTarget();

}  // namespace darts::games
