// What a replay shows, taken down while the match is played: every dart of the turn in play, its
// place after each frame from the last frame in the hand to where it stopped, and the aim that
// turned it then (the mouse still turns a dart in flight). It only reads the state, after the
// frame has been drawn.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/game_state.h"

namespace darts {

struct FlightFrame {
    Vec3f at;
    float aimYaw;
};

struct RecordedFlight {
    std::vector<FlightFrame> path;  // empty: no such dart in the turn
};

class TurnRecording {
  public:
    // After every match frame.
    void frameDrawn(const GameState& state);

    // The turn's darts in throwing order, up to 3; those not thrown yet have an empty path.
    const std::array<RecordedFlight, 3>& darts() const { return darts_; }
    bool empty() const { return darts_[0].path.empty(); }

  private:
    std::array<RecordedFlight, 3> darts_;
    MatchPhase side_ = MatchPhase::MatchOver;
    int dart_ = -1;            // the one being taken down, -1: none
    uint32_t dartNumber_ = 0;  // dartsFinished while it flies: tells one dart from the next
    FlightFrame held_ = {};    // the dart in hand as the last frame left it
    bool heldSeen_ = false;
};

}  // namespace darts
