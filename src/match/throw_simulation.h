// One throw flown on its own with the match's own placement and flight code: the dart is held at
// a given swing angle, aim and gauge value, released, and flown until it reaches the board.
// Used by the developer tools (the shot-table maker, darts-sim) and the tests.
#pragma once

#include <optional>
#include <string>

#include "core/game_state.h"

namespace darts {

struct ThrowLanding {
    float x, y;  // where the dart stopped in the board plane
    float radius;
    int sectorIndex;
    int score;
    std::string ringText;  // Shift-JIS, empty for a plain single
    int steps;             // flight steps from the release to the arrival
};

// `stepsOnReleaseFrame` is 1 for a release by a click or by the computer between frames, 2 for
// the hand's own release at the forward end of the swing. Empty when the dart never arrives.
std::optional<ThrowLanding> simulateThrow(float swingAngle, float aimYaw, float gaugeValue,
                                          int stepsOnReleaseFrame = 1);

// One frame of the match scene's placements without drawing it: the hand step and the dart in
// play, in the order and on the conditions the scene places them (a dart the hand lets go by
// itself takes two flight steps in that frame).
void placeFrameObjects(GameState& state);

}  // namespace darts
