// Pictures as plain pixel arrays, and the file formats the game's resources are stored in: BMP
// (24-bit and 8-bit with a palette) and the icon and cursor containers. Nothing here draws; the
// painters hand over finished pixels.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace darts::content::bitmaps {

// Straight (not premultiplied) 0xAARRGGBB pixels, top row first.
struct Raster {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;

    Raster() = default;
    Raster(int w, int h, uint32_t fill = 0xFF000000u)
        : width(w), height(h), argb(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}
    uint32_t at(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
    uint32_t& at(int x, int y) { return argb[static_cast<size_t>(y) * width + x]; }
};

// A paletted picture: every pixel is an index into at most 256 opaque 0xFFRRGGBB colours.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> palette;
    std::vector<uint8_t> indices;  // width * height, top row first
};

// A BMP file (BITMAPFILEHEADER, BITMAPINFOHEADER, bottom-up rows padded to 4 bytes) with 24 bits
// per pixel. Alpha is dropped: resource bitmaps are opaque.
std::vector<uint8_t> encodeBmp24(const Raster& picture);

// The same with 8 bits per pixel and the palette in the file.
std::vector<uint8_t> encodeBmp8(const IndexedImage& picture);

// Reduces a picture to at most `colours` (2..256) palette entries: median cut refined by a few
// rounds of k-means, then error diffusion. `dither` scales the diffused error (0 = none, 1 = full
// Floyd-Steinberg); a little less than full keeps lettering edges clean.
IndexedImage quantize(const Raster& picture, int colours, double dither);

enum class IconKind : uint16_t { Icon = 1, Cursor = 2 };

// One picture of an icon or cursor file. The hot spot is only written for cursors.
struct IconImage {
    Raster picture;  // at most 256 x 256; alpha 0 becomes transparent in the AND mask
    int hotSpotX = 0;
    int hotSpotY = 0;
};

// An .ico or .cur file: the directory, then per picture a 32-bit DIB of doubled height holding
// the colour pixels with alpha and the 1-bit transparency mask.
std::vector<uint8_t> encodeIconFile(IconKind kind, std::span<const IconImage> pictures);

}  // namespace darts::content::bitmaps
