// The pauses of a bar game, drawn over the match frame while the machine waits for a click: the
// mouse passing to another human (who throws next, with the portrait), the end of a leg and the
// end of the game (who won and why, a medley's legs so far, the cork's distances when a cork
// decided). A plate in the middle of the frame, clear of the scoreboard and the portrait; with
// no pause nothing is drawn. Reads the view and the state's textures and language only.
#pragma once

#include "core/game_state.h"
#include "games/bar_board.h"
#include "render/bar_scoreboard.h"
#include "render/device.h"

namespace darts::render {

// The plate's horizontal extent; its height follows what it lists.
inline constexpr float kBarPauseLeft = 190, kBarPauseRight = 610;

void drawBarPause(const GameState& state, const games::BarBoardView& view, Device& device,
                  const BarFonts& fonts);

}  // namespace darts::render
