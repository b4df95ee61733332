// Whole matches with nobody at the mouse: the computer's decision logic plays both sides through
// the real match loop and frame code. A testing and tuning aid, not a game mode.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/game_state.h"
#include "games/bar_match.h"
#include "loops/feature_layer.h"
#include "render/device.h"

namespace darts {

struct AutoMatchResult {
    bool finished;  // false: abandoned at the frame limit
    int winner;     // side 0 or 1; -1 when abandoned
    uint64_t frames;
    uint32_t darts;
};

// What a caller may add to a match played this way: layers told of every frame, as the game's
// options add them, a look at the state after every match frame, and an input (nobody's by
// default) that the layers and the loop's own polls read.
struct AutoMatchExtras {
    std::vector<FeatureLayer*> layers;
    std::function<void(const GameState&)> afterFrame;
    platform::InputSource* input = nullptr;
};

// Checks the count invariant of both sides: turnStartScore minus the turn's dart scores is the
// count, and the scores of darts not yet thrown are 0. Returns false if it is broken.
bool scoresConsistent(const GameState& state);

// Plays one match from newMatch to its end, calling onDart after every finished dart. The human
// side gets the computer's default statistics. Stops after frameLimit frames.
AutoMatchResult playAutoMatch(GameState& state, render::Device& device, uint64_t frameLimit,
                              const std::function<void(const GameState&)>& onDart = {},
                              const AutoMatchExtras& extras = {});

// Plays one match of a bar game through the same match loop, every side a computer seated in
// `match`. Stops after frameLimit frames (the match then counts as abandoned).
AutoMatchResult playAutoBarMatch(GameState& state, render::Device& device, games::BarMatch& match,
                                 uint64_t frameLimit, const AutoMatchExtras& extras = {});

}  // namespace darts
