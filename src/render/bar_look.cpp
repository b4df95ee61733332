#include "render/bar_look.h"

#include <array>
#include <algorithm>
#include <cmath>

namespace darts::render::bar_look {
namespace {

void fan(Device& device, const std::array<float, 8>& xy, uint32_t argb) {
    std::array<ScreenVertex, 4> vertices{};
    for (int i = 0; i < 4; ++i) vertices[i] = {xy[2 * i], xy[2 * i + 1], 0.0f, 1.0f, argb, 0, 0};
    device.drawScreenFan(vertices);
}

}  // namespace

void rect(Device& device, float left, float top, float right, float bottom, uint32_t argb) {
    device.setTexture(0);
    fan(device, {left, top, right, top, right, bottom, left, bottom}, argb);
}

void line(Device& device, float x1, float y1, float x2, float y2, float width, uint32_t argb) {
    const float dx = x2 - x1, dy = y2 - y1;
    const float length = std::hypot(dx, dy);
    if (length <= 0) return;
    const float nx = -dy / length * width / 2, ny = dx / length * width / 2;
    device.setTexture(0);
    fan(device, {x1 + nx, y1 + ny, x2 + nx, y2 + ny, x2 - nx, y2 - ny, x1 - nx, y1 - ny}, argb);
}

void ring(Device& device, float cx, float cy, float radius, float width, uint32_t argb) {
    constexpr int kSegments = 20;
    const float inner = radius - width / 2, outer = radius + width / 2;
    device.setTexture(0);
    for (int i = 0; i < kSegments; ++i) {
        const float a0 = 6.2831853f * i / kSegments, a1 = 6.2831853f * (i + 1) / kSegments;
        fan(device,
            {cx + outer * std::cos(a0), cy + outer * std::sin(a0), cx + outer * std::cos(a1),
             cy + outer * std::sin(a1), cx + inner * std::cos(a1), cy + inner * std::sin(a1),
             cx + inner * std::cos(a0), cy + inner * std::sin(a0)},
            argb);
    }
}

void plate(Device& device, float left, float top, float right, float bottom) {
    rect(device, left, top, right, bottom, kPlate);
    rect(device, left, top, right, top + 1.5f, kGold);
    rect(device, left, bottom - 1.5f, right, bottom, kGold);
    rect(device, left, top, left + 1.5f, bottom, kGold);
    rect(device, right - 1.5f, top, right, bottom, kGold);
}

void marks(Device& device, int count, float cx, float cy, float size, uint32_t argb) {
    if (count <= 0) return;
    const float h = size * 0.32f, stroke = std::max(1.6f, size * 0.13f);
    line(device, cx - h, cy + h, cx + h, cy - h, stroke, argb);
    if (count >= 2) line(device, cx - h, cy - h, cx + h, cy + h, stroke, argb);
    if (count >= 3) ring(device, cx, cy, size * 0.46f, stroke * 0.8f, argb);
}

}  // namespace darts::render::bar_look
