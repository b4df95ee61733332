#include "render/draw2d.h"

#include <cmath>
#include <cstring>
#include <string_view>

namespace darts::render {
namespace {

constexpr float kRhw = 1.0f;
constexpr float kCornerU[4] = {0.0f, 1.0f, 1.0f, 0.0f};
constexpr float kCornerV[4] = {0.0f, 0.0f, 1.0f, 1.0f};

uint32_t lowByte(int value) { return static_cast<uint32_t>(value) & 0xFFu; }

// The text buffer up to its terminator; a buffer filled to the last byte ends at its end.
std::string_view bufferedText(const GameState& state) {
    return {state.textBuffer, strnlen(state.textBuffer, sizeof state.textBuffer)};
}

template <size_t N>
TextureHandle textureAt(const TextureHandle (&table)[N], int index) {
    return index >= 0 && static_cast<size_t>(index) < N ? table[index] : 0;
}

}  // namespace

QuadCorners quadCorners(float left, float top, float right, float bottom) {
    return {{{left, top, 0.0f}, {right, top, 0.0f}, {right, bottom, 0.0f}, {left, bottom, 0.0f}}};
}

void drawQuad2D(GameState& state, Device& device, const QuadCorners& corners, int alpha, int index,
                int kind) {
    const uint32_t color = (lowByte(alpha) << 24) | 0x00FFFFFFu;
    std::array<ScreenVertex, 4> vertices{};
    for (size_t i = 0; i < vertices.size(); ++i) {
        vertices[i] = {corners[i].x, corners[i].y, kQuadDepth, kRhw,
                       color,        kCornerU[i],  kCornerV[i]};
    }
    switch (static_cast<QuadTexture>(kind)) {
        case QuadTexture::Overlay:
            device.setTexture(textureAt(state.overlayTextures, index));
            break;
        case QuadTexture::Portrait:
            device.setTexture(textureAt(state.portraitTextures, index));
            break;
        case QuadTexture::None:
            device.setTexture(0);
            break;
        default:
            break;  // the texture of the previous draw stays
    }
    device.drawScreenFan(vertices);
}

void drawText(GameState& state, Device& device, uint32_t color, int x, int y, int useLargeFont) {
    const FontHandle font = useLargeFont != 0 ? state.largeFont : state.smallFont;
    device.drawText(font, bufferedText(state), x, y, color);
}

void drawTextGrid(GameState& state, Device& device, uint32_t color, int row, int column, int left) {
    const FontHandle font = left == 570 ? state.smallFont : state.largeFont;
    device.drawText(font, bufferedText(state), left + 110 * column, 15 * row + 12, color);
}

void drawLine2D(Device& device, float x1, float y1, float x2, float y2, int red, int green,
                int blue, int alpha) {
    const uint32_t color =
        (lowByte(alpha) << 24) | (lowByte(red) << 16) | (lowByte(green) << 8) | lowByte(blue);
    // The direction from point 1 to point 2, measured from +y towards +x; the band's sides lie
    // 1.1 pixels either way across it. The quarter turn is 1.57, not pi/2: the band is very
    // slightly skewed, and that is the look to keep.
    const double theta = std::atan2(double{x2} - x1, double{y2} - y1);
    const float ax = static_cast<float>(1.1 * std::sin(theta + 1.57));
    const float ay = static_cast<float>(1.1 * std::cos(theta + 1.57));
    const float bx = static_cast<float>(1.1 * std::sin(theta - 1.57));
    const float by = static_cast<float>(1.1 * std::cos(theta - 1.57));
    const std::array<ScreenVertex, 4> vertices = {{
        {x1 + ax, y1 + ay, kQuadDepth, kRhw, color, kCornerU[0], kCornerV[0]},
        {x2 + ax, y2 + ay, kQuadDepth, kRhw, color, kCornerU[1], kCornerV[1]},
        {x2 + bx, y2 + by, kQuadDepth, kRhw, color, kCornerU[2], kCornerV[2]},
        {x1 + bx, y1 + by, kQuadDepth, kRhw, color, kCornerU[3], kCornerV[3]},
    }};
    device.drawScreenFan(vertices);
}

void drawOverlayPicture(Device& device, TextureHandle texture, float left, float top, float right,
                        float bottom, uint32_t colour) {
    const std::array<ScreenVertex, 4> corners = {{
        {left, top, 0.0f, 1.0f, colour, 0.0f, 0.0f},
        {right, top, 0.0f, 1.0f, colour, 1.0f, 0.0f},
        {right, bottom, 0.0f, 1.0f, colour, 1.0f, 1.0f},
        {left, bottom, 0.0f, 1.0f, colour, 0.0f, 1.0f},
    }};
    device.setTexture(texture);
    device.drawScreenFan(corners);
}

}  // namespace darts::render
