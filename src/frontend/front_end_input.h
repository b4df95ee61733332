// The front end's mouse handling: cursor, menu and clicks on the title, darts-bar, tournament and
// notice screens.
#pragma once

#include "platform/input.h"
#include "shell/game_state.h"

namespace darts {

// One axis of the cursor moved by `mickeys` counts at `speed` pixels a count (0: the game's 3),
// kept within 0..limit.
int32_t moveCursor(int32_t position, int32_t mickeys, int32_t limit, int32_t speed);

void handleFrontEndMouse(GameState& state, platform::MouseRecord record, int32_t& buttonHeld);

}  // namespace darts
