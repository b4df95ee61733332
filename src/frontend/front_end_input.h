// The front end's mouse handling: cursor, menu and clicks on the title, darts-bar, tournament and
// notice screens.
#pragma once

#include <span>

#include "core/game_state.h"
#include "platform/input.h"

namespace darts {

// One axis of the cursor moved by `mickeys` counts at `speed` pixels a count (0: the game's 3),
// kept within 0..limit.
int32_t moveCursor(int32_t position, int32_t mickeys, int32_t limit, int32_t speed);

void handleFrontEndMouse(GameState& state, platform::MouseRecord record, int32_t& buttonHeld);

struct PointerPosition {
    int32_t x, y;
};

// Where the cursor will be once `records` have been handled, moved exactly as the handler moves
// it; the state itself is left as it is.
PointerPosition pointerAfter(const GameState& state, std::span<const platform::MouseRecord> records);

}  // namespace darts
