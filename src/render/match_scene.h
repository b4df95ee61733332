// One frame of the match: camera, room, finished darts, board, score panels, then the hand with
// its dart and the aiming overlays, or the dart in flight with the hit texts. Placing the hand and
// the dart in play is what advances the throw and the flight, so this frame is the match's clock.
#pragma once

#include "core/game_state.h"
#include "games/bar_board.h"
#include "render/device.h"

namespace darts::render {

// Draws, presents and advances the match by one step. A bar game in play brings its view (`bar`):
// its scoreboard is drawn instead of the 301's score table and portrait, and its pause over
// everything (the fonts are made on the first such frame).
void renderMatchFrame(GameState& state, Device& device, const games::BarBoardView* bar = nullptr);

// Sets the world, view and projection transforms for the frame (and glides the landing camera).
void setMatchCamera(GameState& state, Device& device);

// The match cameras' lens.
gfx::Matrix matchProjection();

// Each subset with its own material and texture.
void drawMeshAsset(Device& device, const MeshAsset& model);

}  // namespace darts::render
