#include "frontend/front_end_drawing.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace darts::frontend {

namespace {
constexpr float kPointerSize = 32.0f;
}

void drawRect(render::Device& device, float left, float top, float right, float bottom,
              uint32_t argb, TextureArea area, float depth) {
    const float u = area.uRight, v = area.vBottom;
    const std::array<render::ScreenVertex, 4> vertices = {{
        {left, top, depth, 1.0f, argb, 0.0f, 0.0f},
        {right, top, depth, 1.0f, argb, u, 0.0f},
        {right, bottom, depth, 1.0f, argb, u, v},
        {left, bottom, depth, 1.0f, argb, 0.0f, v},
    }};
    device.setTexture(area.texture);
    device.drawScreenFan(vertices);
}

void drawPointer(render::Device& device, render::TextureHandle texture, int x, int y) {
    if (texture == 0) return;
    const float left = static_cast<float>(x), top = static_cast<float>(y);
    drawRect(device, left, top, left + kPointerSize, top + kPointerSize, 0xFFFFFFFFu, {texture},
             kPointerDepth);
}

void drawBufferedText(GameState& state, render::Device& device, std::string_view text,
                      uint32_t color, int x, int y, int useLargeFont) {
    const size_t length = std::min(text.size(), sizeof state.textBuffer - 1);
    std::memcpy(state.textBuffer, text.data(), length);
    state.textBuffer[length] = '\0';
    render::drawText(state, device, color, x, y, useLargeFont);
}

}  // namespace darts::frontend
