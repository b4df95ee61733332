// The look shared by the added screens on oxblood plates (settings, game select), so that they
// read as one family: the colours of their texts and highlights, and their bitmaps.
#pragma once

#include <cstdint>
#include <optional>

#include "gfx/resources.h"
#include "render/device.h"

namespace darts::frontend::plate_look {

constexpr uint32_t kCream = 0xFFF4E8D0;
constexpr uint32_t kGold = 0xFFF4CE6A;
constexpr uint32_t kDim = 0xFFB8A488;
constexpr uint32_t kHover = 0x30F4CE6A;
constexpr int kBodyHeight = 22, kBodyWidth = 11;  // a Shift-JIS byte is one cell wide

// A bitmap of the game's resources as a texture; 0 where it cannot be had, so the screen draws a
// plain panel instead.
inline render::TextureHandle textureFromResource(render::Device& device, const char* name) {
    std::optional<gfx::Image> image = gfx::loadBitmapResource(name);
    return image ? device.createTexture(*image) : 0;
}

}  // namespace darts::frontend::plate_look
