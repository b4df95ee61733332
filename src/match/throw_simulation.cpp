#include "match/throw_simulation.h"

#include <memory>

#include "match/flight.h"
#include "match/scoring.h"

namespace darts {

std::optional<ThrowLanding> simulateThrow(float swingAngle, float aimYaw, float gaugeValue,
                                          int stepsOnReleaseFrame) {
    auto state = std::make_unique<GameState>();
    state->matchPhase = MatchPhase::HumanTurn;
    state->players[kHuman].scoreLeft = 301;
    state->swingAngle = swingAngle;
    state->aimYaw = aimYaw;
    state->gaugeValue = gaugeValue;
    state->dartState = DartState::InHand;
    placeObject(*state, PlaceMode::DartInPlay, 0);

    state->throwStage = ThrowStage::Released;
    state->dartState = DartState::Thrown;
    const DartBody& dart = state->darts[0];
    int steps = 0;
    // Long enough for any dart that keeps moving forwards; one that stops short stands still.
    constexpr int kMaxSteps = 100000;
    while (state->hitTimer == 0 && steps < kMaxSteps) {
        if (dart.y <= kLowestFlightY && !dartHasReachedBoard(dart)) return std::nullopt;
        int frameSteps = steps == 0 ? stepsOnReleaseFrame : 1;
        for (int i = 0; i < frameSteps && state->hitTimer == 0; ++i) {
            placeObject(*state, PlaceMode::DartInPlay, 0);
            ++steps;
        }
    }
    if (state->hitTimer == 0) return std::nullopt;
    LandingGeometry landing = landingGeometry(dart.x, dart.y);
    return ThrowLanding{dart.x,
                        dart.y,
                        landing.radius,
                        landing.sectorIndex,
                        state->players[kHuman].dartScores[0],
                        state->players[kHuman].hitMessage,
                        steps};
}

void placeFrameObjects(GameState& state) {
    if (state.dartState == DartState::InHand) {
        placeObject(state, PlaceMode::Hand, 0);
        placeObject(state, PlaceMode::DartInPlay, 0);
    }
    if (state.dartState == DartState::Thrown) placeObject(state, PlaceMode::DartInPlay, 0);
}

}  // namespace darts
