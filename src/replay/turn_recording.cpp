#include "replay/turn_recording.h"

#include "match/flight.h"

namespace darts {

void TurnRecording::frameDrawn(const GameState& state) {
    if (!sideToThrow(state)) return;
    const int index = currentSide(state).dartsThrown;
    if (index < 0 || index > 2) return;
    const DartBody& body = state.darts[index];
    const FlightFrame at = {{body.x, body.y, body.z}, state.aimYaw};
    if (state.dartState == DartState::InHand) {
        held_ = at;
        heldSeen_ = true;
        return;
    }
    if (state.dartState != DartState::Thrown) return;

    const bool sameDart =
        dart_ == index && side_ == state.matchPhase && dartNumber_ == state.dartsFinished;
    if (!sameDart) {
        // A first dart, or a dart of another side, begins another turn.
        if (index == 0 || side_ != state.matchPhase) darts_ = {};
        for (int later = index; later < 3; ++later) darts_[later] = {};
        if (heldSeen_) darts_[index].path.push_back(held_);
        dart_ = index;
        side_ = state.matchPhase;
        dartNumber_ = state.dartsFinished;
    }
    // Once landed (or fallen short) the dart stands still through its landing display.
    if (state.hitTimer <= 1) darts_[index].path.push_back(at);
    heldSeen_ = false;
}

}  // namespace darts
