// A fingerprint of everything in the game state that play changes: the screens, the generator,
// the tournament, both sides, the throw and the darts, and a bar game's own state while one is
// played. Demos store it to prove that a replay
// runs the very same game. Handles of textures, meshes and fonts are left out: they depend on
// the device, not on play.
#pragma once

#include <cstdint>

#include "core/game_state.h"

namespace darts {

uint64_t stateChecksum(const GameState& state);

}  // namespace darts
