// The flat drawing shared by the front end, the tournament bracket and the match HUD: textured
// screen-space quads, text from the game's text buffer in the two fonts, and a thick line. All
// positions are pixels of the 800 x 600 frame, x to the right, y down; colours are ARGB.
#pragma once

#include <array>
#include <cstdint>

#include "core/game_state.h"
#include "render/device.h"

namespace darts::render {

// One corner of a quad; the third value is carried along by callers but never read.
struct QuadCorner {
    float x, y, unused;
};

// Corners in drawing order: top-left, top-right, bottom-right, bottom-left.
using QuadCorners = std::array<QuadCorner, 4>;

// The corners of the quad from (left, top) to (right, bottom) in the order drawQuad2D expects.
QuadCorners quadCorners(float left, float top, float right, float bottom);

// Where a quad's texture comes from.
enum class QuadTexture : int32_t {
    Overlay = 0,   // overlayTextures[index]
    Portrait = 1,  // portraitTextures[index], index = character number
    None = 3,      // untextured; index ignored
    // Any other value leaves stage 0 as the previous draw left it.
};

// Depth of quads and lines; the gauge marker sits in front of them at 0.
inline constexpr float kQuadDepth = 0.1f;

// A quad at depth 0.1 with colour (alpha << 24) | 0x00FFFFFF (the low 8 bits of alpha count) and
// texture coordinates (0,0), (1,0), (1,1), (0,1) at the four corners. An index outside the table
// of its kind binds no texture, as a texture that failed to load would.
void drawQuad2D(GameState& state, Device& device, const QuadCorners& corners, int alpha, int index,
                int kind);

// Draws textBuffer (up to its first NUL, at most its whole length) with the top-left of its
// first character cell at (x, y), in the large font when useLargeFont is non-zero.
void drawText(GameState& state, Device& device, uint32_t color, int x, int y, int useLargeFont);

// Draws textBuffer at (left + 110 x column, 15 x row + 12): in the small font when left is exactly
// 570, else in the large font.
void drawTextGrid(GameState& state, Device& device, uint32_t color, int row, int column, int left);

// A band 2.2 pixels wide from (x1, y1) to (x2, y2) at depth 0.1 in the colour made of the low 8
// bits of each channel. Binds no texture: the one left on stage 0 still modulates the colour.
void drawLine2D(Device& device, float x1, float y1, float x2, float y2, int red, int green,
                int blue, int alpha);

// The overlays' own picture (award titles, the statistics card): texture over the rectangle from
// (left, top) to (right, bottom) in the colour given, at depth 0, in front of the whole scene.
void drawOverlayPicture(Device& device, TextureHandle texture, float left, float top, float right,
                        float bottom, uint32_t colour);

}  // namespace darts::render
