// The throw: the wandering gauge and the self-swinging arm (the hand step, once per frame while the
// dart is in hand) and the human's mouse input during a match.
#pragma once

#include "core/game_state.h"
#include "platform/input.h"

namespace darts {

// The arm's swing, in radians. 12.56 (close to 4 pi) stands for an angle just below 0: the
// forward end of the swing lies at 12.49, the top of the backswing at 0.18.
constexpr double kSwingTop = 0.18;
constexpr double kSwingForwardEnd = 12.49;
constexpr float kSwingWrap = 12.56f;
constexpr float kSwingSpeedFast = 0.01f;
constexpr double kGaugeStep = 0.03;
constexpr double kAimStep = 0.0007;
constexpr double kAimLimit = 0.08;

// Moves the gauge (while aiming) and the arm one frame for the side to throw; may release the
// dart by itself at the forward end of the swing.
void handStep(GameState& state);

// One mouse record during a match. `buttonHeld` is the left-button latch shared with the front end.
void handleMatchMouse(GameState& state, platform::MouseRecord record, int32_t& buttonHeld);

}  // namespace darts
