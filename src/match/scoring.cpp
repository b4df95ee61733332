#include "match/scoring.h"

#include "core/game_texts.h"
#include "match/truncate.h"

#include <cmath>
#include <cstring>

namespace darts {

namespace {

// Numbers clockwise from the top for indexes 0..20, anticlockwise for 0..-20; every number but
// 20 covers two consecutive half-sectors, and 3 at the bottom covers four.
constexpr int kClockwise[21] = {20, 1,  1,  18, 18, 4, 4,  13, 13, 6, 6,
                                10, 10, 15, 15, 2,  2, 17, 17, 3,  3};
constexpr int kAnticlockwise[21] = {20, 5, 5,  12, 12, 9, 9,  14, 14, 11, 11,
                                    8,  8, 16, 16, 7,  7, 19, 19, 3,  3};

void setMessage(PlayerSlot& side, const char* text) {
    std::strncpy(side.hitMessage, text, sizeof side.hitMessage - 1);
    side.hitMessage[sizeof side.hitMessage - 1] = '\0';
}

}  // namespace

int sectorNumber(int sectorIndex) {
    if (sectorIndex >= 0 && sectorIndex <= 20) return kClockwise[sectorIndex];
    if (sectorIndex < 0 && sectorIndex >= -20) return kAnticlockwise[-sectorIndex];
    return 0;  // no direction gives an index beyond +-20
}

LandingGeometry landingGeometry(float x, float y) {
    float dx = static_cast<float>(x - kBoardCentreX);
    float dy = static_cast<float>(y - kBoardCentreY);
    float radius =
        static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
    double angle = std::atan2(static_cast<double>(dx), static_cast<double>(dy));
    // 180/3.14 (not 180/pi) degrees per radian, then a ninth: half-sectors of 0.157 rad.
    constexpr float kDegrees = 57.32484f;
    constexpr float kNinth = 0.1111111f;
    int index = truncateToInt(angle * static_cast<double>(kDegrees) * static_cast<double>(kNinth));
    return {radius, index};
}

Ring ringOf(double r) {
    if (r > kBoardEdge) return Ring::Miss;
    if (r < kInnerBullEdge) return Ring::InnerBull;
    if (r > kInnerBullEdge && r < kOuterBullEdge) return Ring::OuterBull;
    if (r > kTripleInner && r < kTripleOuter) return Ring::Triple;
    if (r > kDoubleInner && r < kBoardEdge) return Ring::Double;
    return Ring::Single;
}

int scoreHit(GameState& state, float radius, int sectorIndex) {
    PlayerSlot& side = currentSide(state);
    int base = sectorNumber(sectorIndex);
    switch (ringOf(radius)) {
        case Ring::Miss:
            setMessage(side, gameText(state.language, TextId::NoPoint));
            return 0;
        case Ring::InnerBull:
            setMessage(side, gameText(state.language, TextId::InnerBull));
            return 50;
        case Ring::OuterBull:
            setMessage(side, gameText(state.language, TextId::OuterBull));
            return 25;
        case Ring::Triple:
            setMessage(side, gameText(state.language, TextId::Triple));
            return base * 3;
        case Ring::Double:
            setMessage(side, gameText(state.language, TextId::Double));
            return base * 2;
        case Ring::Single:
            break;
    }
    setMessage(side, "");
    return base;
}

}  // namespace darts
