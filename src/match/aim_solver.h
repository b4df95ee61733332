// Aiming through the flight model: which release angle and aim put a dart, thrown with the gauge
// at 0, on a chosen point of the board. The computer aims by it in the bar games; the shot-table
// maker shares its representation of the swing.
#pragma once

#include <optional>
#include <vector>

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

// The arm's angle as the swing stores it, from a signed angle around 0: below 0 lies in the
// wrapped range just under 12.56.
double toSwingAngle(double signedAngle);

// The angles at which the computer can let an armed dart go: its fast forward swing passes a
// fixed ladder of angles a hundredth apart (from the top its slow backswing reaches), and it
// releases on the first one within its tolerance of the release it means. Highest first, in the
// swing's representation.
const std::vector<float>& computerReleaseAngles();

// The aim that lands nearest `point`; empty when no throw reaches the board there. The release
// is one of computerReleaseAngles(), so that the computer, meaning it, releases exactly there.
// Solutions are kept: the same point again costs a look-up.
std::optional<ThrowAim> solveAim(BoardPoint point);

}  // namespace darts
