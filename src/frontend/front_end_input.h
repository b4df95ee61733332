// The front end's mouse handling: cursor, menu and clicks on the title, darts-bar, tournament and
// notice screens.
#pragma once

#include "platform/input.h"
#include "shell/game_state.h"

namespace darts {

void handleFrontEndMouse(GameState& state, platform::MouseRecord record, int32_t& buttonHeld);

}  // namespace darts
