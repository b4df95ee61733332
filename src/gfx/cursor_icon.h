// Icon (.ico) and cursor (.cur) files: a directory of pictures in several sizes, each stored as a
// device-independent bitmap of doubled height (the colours, then a 1-bit AND mask that marks the
// transparent pixels) or as a whole PNG file. One picture is decoded to RGBA; a cursor also gives
// its hot spot. Like the image decoders, these never throw: a malformed file gives std::nullopt.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "gfx/image.h"

namespace darts::gfx {

struct CursorImage {
    Image image;
    // The pixel that points, counted from the top-left pixel; always inside the image.
    int hotSpotX = 0;
    int hotSpotY = 0;
};

// The size asked for when nothing else is known: a standard cursor and a window icon.
inline constexpr int kStandardIconSize = 32;

// Decodes the picture whose size in the directory is closest to `wantedSize` pixels (of equal
// distance, the larger, then the one with more colours, then the first). Pixels the AND mask marks
// transparent get alpha 0, unless a 32-bit picture carries alpha of its own, which then wins (as
// on the system the format comes from, where the mask only serves displays without alpha).
std::optional<Image> decodeIcon(std::span<const uint8_t> bytes, int wantedSize = kStandardIconSize);
std::optional<CursorImage> decodeCursor(std::span<const uint8_t> bytes,
                                        int wantedSize = kStandardIconSize);

// The embedded resource of that name with the extension ".ico" or ".cur", decoded as above.
std::optional<Image> loadIconResource(std::string_view name, int wantedSize = kStandardIconSize);
std::optional<CursorImage> loadCursorResource(std::string_view name,
                                              int wantedSize = kStandardIconSize);

}  // namespace darts::gfx
