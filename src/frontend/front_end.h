// The front-end screens drawn with the graphics device: the title with its menu, the notice that
// no character has been chosen, the darts-bar introduction of the next opponent, and the
// tournament screen; and what a click on them does.
#pragma once

#include "core/game_state.h"
#include "platform/input.h"
#include "render/device.h"

namespace darts::frontend {

// Draws one frame of the current screen (with the game's own cursor) and presents it. With a live
// input the cursor is drawn last, where the mouse has already taken it since the last poll (the
// records still queued, moved as the next poll will move `cursorX`, `cursorY`), so the picture
// keeps up with the hand; without one (demos, tests) it is drawn at `cursorX`, `cursorY`.
void renderFrontEnd(GameState& state, render::Device& device,
                    platform::InputSource* liveInput = nullptr);

// A left-button press on the current screen: screen changes, the opponent draw, starting a match.
void handleMenuClick(GameState& state, int32_t& buttonHeld);

}  // namespace darts::frontend
