// The computer in the bar games: for each dart it chooses a bed to aim at for the leg in play and
// its own accuracy, and throws at it with the same mechanics as a human (the gauge it accepts, the
// spread of its release). Its strength is a level named by the bar machines' rating.
#pragma once

#include <string>

#include "core/game_state.h"
#include "games/leg_rules.h"
#include "match/aim_solver.h"
#include "match/computer.h"

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

// The point aimed at within a bed (a single: the outer one, the wider sideways). The computer's
// releases land on a ladder of heights some 0.08 apart, so a bed's middle may be out of its
// reach: of the points across the bed, the one whose landing stays in the bed for most of the
// computer's nearest errors, the middle first among equals. Kept once found.
AimTarget bedTarget(Hit bed);

// The points a throw at `bed` scores on average for the spread, by the flight and the computer's
// release and gauge as they fall for it.
double expectedPoints(Hit bed, const ThrowSpread& spread, BullRule bull);

// The bed the side to throw aims its next dart at, for its spread.
AimTarget chooseTarget(const LegRules& leg, const ThrowSpread& spread);
// A cork dart: the inner bull.
AimTarget corkTarget();

// The throw that lands on the target's point (the board centre's when no throw reaches it).
ThrowAim aimAt(const AimTarget& target);

// The bed a point of the board plane scores.
Hit hitAt(BoardPoint point);

// One dart the computer throws at `target` with its spread, headless: the match's own frames
// (its decisions, the hand step, the flight) from the dart in hand until the dart arrives or
// falls short, then the dart made ready again as finishing it does, without the landing display.
// The side to throw in `state` throws (its scoreLeft takes the dart's score as ever).
Hit throwHeadless(GameState& state, ComputerBrain& brain, const AimTarget& target,
                  const ThrowSpread& spread);

}  // namespace darts::games
