// The award title over the landing display of a turn's third dart: a lettered band that zooms
// in, settles with a slight swell and fades as the landing display ends. Drawn low on the
// screen, clear of the score table, the shot panel, the portrait and the hit texts. It reads the
// state and writes nothing to it (not even the text buffer).
#pragma once

#include "core/game_state.h"
#include "render/device.h"

namespace darts::render {

// The award pictures into awardTextures (0 where one fails to load: nothing is drawn for it).
void loadAwardArt(GameState& state, Device& device);

// Where the band stands at full size.
inline constexpr float kAwardCentreX = 310.0f;
inline constexpr float kAwardCentreY = 425.0f;
inline constexpr float kAwardWidth = 512.0f;
inline constexpr float kAwardHeight = 96.0f;

// The band's scale and opacity (0..255) at a frame of the landing display (hitTimer 1..170).
struct AwardPose {
    float scale;
    int alpha;
};
AwardPose awardPose(int hitTimer);

void drawAwardOverlay(const GameState& state, Device& device);

}  // namespace darts::render
