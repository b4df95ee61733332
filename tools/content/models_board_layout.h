// Where the scoring puts the board's rings and sectors, in board units around the centre. The
// board model is cut along exactly these lines so that what the player sees is what scores.
#pragma once

#include <cmath>
#include <numbers>

namespace darts::content {

// Inner bull, outer bull, treble inner and outer, double inner and outer (the board's edge).
inline constexpr double kRingEdges[6] = {0.0195999, 0.0608997, 0.226099,
                                         0.271599,  0.415098,  0.467598};

// Board numbers clockwise from the top as the thrower sees them.
inline constexpr int kSectorNumbers[20] = {20, 1,  18, 4,  13, 6,  10, 15, 2,  17,
                                           3,  19, 7,  16, 8,  11, 14, 9,  12, 5};

// The scoring's half-sectors per radian: 180/3.14 times a ninth, both as single-precision
// constants multiplied in double precision.
inline double halfSectorsPerRadian() {
    return static_cast<double>(57.32484f) * static_cast<double>(0.1111111f);
}

struct SectorSpan {
    double from, to;  // clockwise from straight up; the bottom sector runs past pi
};

// Sector `position` (0..19 in kSectorNumbers order) covers two half-sectors, except the top one
// (one either side of straight up) and the bottom one (everything beyond the 19th half-sector
// on both sides).
inline SectorSpan sectorSpan(int position) {
    const double k = halfSectorsPerRadian();
    if (position <= 10) {
        double from = (2 * position - 1) / k;
        double to = position == 10 ? 2 * std::numbers::pi - 19 / k : (2 * position + 1) / k;
        return {from, to};
    }
    int anticlockwise = 20 - position;
    return {-(2 * anticlockwise + 1) / k, -(2 * anticlockwise - 1) / k};
}

inline double sectorCentre(int position) {
    SectorSpan span = sectorSpan(position);
    return (span.from + span.to) / 2;
}

}  // namespace darts::content
