// The match loop: one frame per turn of the loop until the match ends. On the computer's turn its
// decisions come before the frame; on the human's turn the mouse is read after it.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/game_state.h"
#include "loops/feature_layer.h"
#include "loops/frame_io.h"

namespace darts {

struct MatchLoopOptions {
    // Testing aid: the computer's decision logic also plays the human's turns.
    bool computerPlaysHuman = false;
    // Called after every frame with the frame's state; returning false abandons the match.
    std::function<bool(const GameState&)> afterFrame;
    // Told of every frame (the --awards option keeps statistics and plays the award fanfare;
    // --replay records the darts' flights and plays its replays between two frames).
    std::vector<FeatureLayer*> layers;
};

enum class MatchLoopEnd { Ended, Abandoned };

// Plays while inFrontEnd is 0; returns at once otherwise. Everything that ends a match leaves
// inFrontEnd at 1. An abandoned match is marked over and inFrontEnd set to 1.
MatchLoopEnd runMatch(GameState& state, FrameIo& io, const MatchLoopOptions& options = {});

}  // namespace darts
