// The drawing shared by the bar games' scoreboard and pauses: their fonts, their colours (those of
// the game's oxblood and gold plates) and the few shapes they are made of. Everything is drawn at
// depth 0, in front of the whole scene, untextured unless a picture is named.
#pragma once

#include <cstdint>
#include <string_view>

#include "render/device.h"

namespace darts::render::bar_look {

inline constexpr uint32_t kPlate = 0xD8340A12;   // the plates' oxblood, the scene faintly through
inline constexpr uint32_t kHeading = 0xF01E0508;  // the heading band
inline constexpr uint32_t kGold = 0xFFF4CE6A;
inline constexpr uint32_t kCream = 0xFFF4E8D0;
inline constexpr uint32_t kDim = 0xFFB8A488;
inline constexpr uint32_t kThrowerBand = 0x48F4CE6A;
inline constexpr uint32_t kClosedColumn = 0x90000000;
inline constexpr uint32_t kWhite = 0xFFFFFFFF;

// The fonts' half-width advance in pixels: the faces are monospaced, a double-byte character
// twice as wide, so a Shift-JIS text is as many half-widths wide as it has bytes.
inline int textWidth(std::string_view shiftJis, int halfWidth) {
    return static_cast<int>(shiftJis.size()) * halfWidth;
}

void rect(Device& device, float left, float top, float right, float bottom, uint32_t argb);

// A band `width` pixels wide from (x1, y1) to (x2, y2).
void line(Device& device, float x1, float y1, float x2, float y2, float width, uint32_t argb);

// A ring of the given radius and band width around (cx, cy).
void ring(Device& device, float cx, float cy, float radius, float width, uint32_t argb);

// A plate: the oxblood ground framed by a gold rule.
void plate(Device& device, float left, float top, float right, float bottom);

// Cricket's mark for 1, 2 or 3 strokes on a target, centred at (cx, cy), `size` pixels across:
// one slash, a cross, a cross in a circle. 0 draws nothing.
void marks(Device& device, int count, float cx, float cy, float size, uint32_t argb);

}  // namespace darts::render::bar_look
