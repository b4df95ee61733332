// Scoring a landing point: its distance from the board centre and its direction around it decide
// the ring and the sector.
#pragma once

#include "core/game_state.h"

namespace darts {

// The board centre in the board plane, in world units.
constexpr double kBoardCentreX = 0.05;
constexpr double kBoardCentreY = 2.0;

// Ring limits, all compared strictly.
constexpr double kInnerBullEdge = 0.0195999;
constexpr double kOuterBullEdge = 0.0608997;
constexpr double kTripleInner = 0.226099;
constexpr double kTripleOuter = 0.271599;
constexpr double kDoubleInner = 0.415098;
constexpr double kBoardEdge = 0.467598;

// Board number of a signed sector index -20..20 (0 is the sector straight up).
int sectorNumber(int sectorIndex);

struct LandingGeometry {
    float radius;
    int sectorIndex;
};

// Radius and sector index of a landing point (x, y) in the board plane.
LandingGeometry landingGeometry(float x, float y);

enum class Ring { Miss, InnerBull, OuterBull, Single, Triple, Double };

// Which ring a radius falls in. Every limit is strict: a radius exactly on a limit is a single,
// and exactly on the board edge still a single, not a miss.
Ring ringOf(double radius);

// Scores a landing and writes its ring text into the current side's hitMessage.
int scoreHit(GameState& state, float radius, int sectorIndex);

}  // namespace darts
