// The HUD's 2D drawing needs quads and fonts that the device does not offer yet; until then the
// steps keep their place in the frame and draw nothing.
#include "render/hud.h"

namespace darts::render {

void drawScorePanel(GameState&, Device&) {}
void drawShotPanel(GameState&, Device&) {}
void drawPortrait(GameState&, Device&) {}
void drawAimOverlays(GameState&, Device&) {}
void drawHitTexts(GameState&, Device&) {}

}  // namespace darts::render
