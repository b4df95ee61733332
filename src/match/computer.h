// The computer's throw: every frame of its turn it draws fresh targets and drives the same throw
// state as the human's mouse. Above a count of 20 it aims where it aimed last and releases around
// a fixed angle; at 20 or less the shot table gives the release angle and the aim.
#pragma once

#include "core/game_state.h"
#include "match/aim_solver.h"

namespace darts {

// Kept by the match loop for one match.
struct ComputerBrain {
    float gaugeTarget = 0;
    float releaseTarget = 0;
    float aimTarget = 0;
    bool aimReached = false;  // once set, the computer no longer waits for its aim
};

// This frame's targets for the side to throw, drawn from its gaugeSkill and releaseSkill.
void computerShotTargets(GameState& state, ComputerBrain& brain);

// This frame's decisions: walk the aim, start the swing, release.
void computerDecisions(GameState& state, ComputerBrain& brain);

// Both, as the match loop runs them before each frame of the computer's turn.
inline void computerFrame(GameState& state, ComputerBrain& brain) {
    computerShotTargets(state, brain);
    computerDecisions(state, brain);
}

// The computer of the bar games, throwing at a chosen aim: every frame it draws its gauge target
// and its release target evenly within +-spread of the aim's (in thousandths of the spread, so
// that a strength sits between whole skills), then walks the aim, swings and releases as
// computerDecisions does. It waits for its aim on every dart: the aim may be anywhere.
void computerAimedFrame(GameState& state, ComputerBrain& brain, const ThrowAim& aim,
                        double gaugeSpread, double releaseSpread);

}  // namespace darts
