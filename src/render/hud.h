// The match HUD, drawn over the scene in this order: score table, the turn's shots, the portrait
// of the side to throw, then the aiming overlays (dart in hand) or the hit texts (dart thrown).
#pragma once

#include "core/game_state.h"
#include "render/device.h"

namespace darts::render {

void drawScorePanel(GameState& state, Device& device);
void drawShotPanel(GameState& state, Device& device);
void drawPortrait(GameState& state, Device& device);
void drawAimOverlays(GameState& state, Device& device);
void drawHitTexts(GameState& state, Device& device);

}  // namespace darts::render
