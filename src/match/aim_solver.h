// Aiming through the flight model: which release angle and aim put a dart, thrown with the gauge
// at 0, on a chosen point of the board. The computer's shot table and its aim in the bar games
// both come from here.
#pragma once

#include <optional>

namespace darts {

// A point in the board plane, in world units (the board centre is kBoardCentreX, kBoardCentreY).
struct BoardPoint {
    double x = 0;
    double y = 0;
};

// What the computer steers the throw to.
struct ThrowAim {
    float releaseAngle = 0;  // in the swing's representation (wrapped below 0, as the swing keeps it)
    float aimYaw = 0;        // on the grid of the aim's steps, so that it is reached exactly
    float gauge = 0;
};

// The aim that lands nearest `point`; empty when no throw reaches the board there.
std::optional<ThrowAim> solveAim(BoardPoint point);

}  // namespace darts
