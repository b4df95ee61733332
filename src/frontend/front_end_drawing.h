// Flat drawing of the front end beyond the overlay and portrait tables: rectangles of any colour
// and texture (the pointer, the character-select bitmaps, its name box) and texts passed through
// the game's text buffer.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/game_state.h"
#include "render/device.h"
#include "render/draw2d.h"

namespace darts::frontend {

// Depth of the pointer: in front of every quad and line.
inline constexpr float kPointerDepth = 0.0f;

// The part of a texture a rectangle shows: from (0, 0) to (uRight, vBottom).
struct TextureArea {
    render::TextureHandle texture = 0;  // 0: the plain colour
    float uRight = 1.0f;
    float vBottom = 1.0f;
};

// From (left, top) to (right, bottom) in `argb`, modulated by the texture area if any.
void drawRect(render::Device& device, float left, float top, float right, float bottom,
              uint32_t argb, TextureArea area = {}, float depth = render::kQuadDepth);

// The front end's pointer bitmap (32 x 32, hot spot top-left) at x, y; nothing when the pointer
// has no texture.
void drawPointer(render::Device& device, render::TextureHandle texture, int x, int y);

// Copies the text into textBuffer (cut to fit) and draws it there with drawText.
void drawBufferedText(GameState& state, render::Device& device, std::string_view text,
                      uint32_t color, int x, int y, int useLargeFont = 0);

}  // namespace darts::frontend
