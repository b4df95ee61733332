// Whole matches with nobody at the mouse: the computer's decision logic plays both sides through
// the real match loop and frame code. A testing and tuning aid, not a game mode.
#pragma once

#include <cstdint>
#include <functional>

#include "core/game_state.h"
#include "games/bar_match.h"
#include "render/device.h"

namespace darts {

struct AutoMatchResult {
    bool finished;  // false: abandoned at the frame limit
    int winner;     // side 0 or 1; -1 when abandoned
    uint64_t frames;
    uint32_t darts;
};

// Checks the count invariant of both sides: turnStartScore minus the turn's dart scores is the
// count, and the scores of darts not yet thrown are 0. Returns false if it is broken.
bool scoresConsistent(const GameState& state);

// Plays one match from newMatch to its end, calling onDart after every finished dart. The human
// side gets the computer's default statistics. Stops after frameLimit frames.
AutoMatchResult playAutoMatch(GameState& state, render::Device& device, uint64_t frameLimit,
                              const std::function<void(const GameState&)>& onDart = {});

// Plays one match of a bar game through the same match loop, every side a computer seated in
// `match`. Stops after frameLimit frames (the match then counts as abandoned).
AutoMatchResult playAutoBarMatch(GameState& state, render::Device& device,
                                 games::BarMatch& match, uint64_t frameLimit);

}  // namespace darts
