// Truevision TGA: colour-mapped (1, 9), true-colour (2, 10) and greyscale (3, 11) images, raw or
// run-length encoded, with either vertical and horizontal origin.
#include <algorithm>
#include <vector>

#include "gfx/image.h"
#include "gfx/image_internal.h"

namespace darts::gfx {

namespace {

using detail::ByteReader;

struct TgaHeader {
    uint8_t idLength, colorMapType, imageType;
    uint16_t mapFirst, mapLength;
    uint8_t mapEntryBits;
    uint16_t width, height;
    uint8_t depth, descriptor;
};

struct Pixel {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

// 15 and 16-bit pixels are A1R5G5B5; the attribute bit is alpha only when the descriptor says
// the image has one alpha bit, as many writers leave it zero otherwise.
Pixel fromPacked16(uint16_t v, bool attributeIsAlpha) {
    auto five = [](unsigned c) { return static_cast<uint8_t>((c << 3) | (c >> 2)); };
    Pixel p{five((v >> 10) & 31), five((v >> 5) & 31), five(v & 31), 255};
    if (attributeIsAlpha) p.a = (v & 0x8000) ? 255 : 0;
    return p;
}

// A true-colour or colour-map entry of 15, 16, 24 or 32 bits, stored B, G, R(, A).
Pixel fromTrueColor(const uint8_t* s, int bits, bool attributeIsAlpha) {
    switch (bits) {
        case 15:
        case 16:
            return fromPacked16(detail::loadU16LE(s), bits == 16 && attributeIsAlpha);
        case 24:
            return {s[2], s[1], s[0], 255};
        default:
            return {s[2], s[1], s[0], s[3]};
    }
}

bool validDepth(const TgaHeader& h) {
    switch (h.imageType & ~8) {
        case 1:
            return h.colorMapType == 1 && (h.depth == 8 || h.depth == 16) && h.mapLength > 0 &&
                   (h.mapEntryBits == 15 || h.mapEntryBits == 16 || h.mapEntryBits == 24 ||
                    h.mapEntryBits == 32);
        case 2:
            return h.depth == 15 || h.depth == 16 || h.depth == 24 || h.depth == 32;
        case 3:
            return h.depth == 8 || h.depth == 16;  // grey, or grey and alpha
        default:
            return false;
    }
}

// Expands the RLE packets into raw pixels: a header byte with the top bit set repeats the next
// pixel (low seven bits + 1) times, otherwise that many raw pixels follow. Packets may run on
// across scan lines; the data must supply every pixel.
bool unpackRle(ByteReader& in, size_t pixelBytes, std::vector<uint8_t>& out) {
    size_t filled = 0;
    while (filled < out.size()) {
        const uint8_t packet = in.u8();
        const size_t count = (packet & 0x7Fu) + 1;
        const size_t bytes = std::min(count * pixelBytes, out.size() - filled);
        if (packet & 0x80) {
            const auto value = in.take(pixelBytes);
            if (!in.ok()) return false;
            for (size_t i = 0; i < bytes; ++i) out[filled + i] = value[i % pixelBytes];
        } else {
            const auto raw = in.take(count * pixelBytes);
            if (!in.ok()) return false;
            std::copy_n(raw.begin(), bytes, out.begin() + static_cast<std::ptrdiff_t>(filled));
        }
        filled += bytes;
    }
    return in.ok();
}

}  // namespace

std::optional<Image> decodeTga(std::span<const uint8_t> bytes) {
    ByteReader in(bytes);
    TgaHeader h{};
    h.idLength = in.u8();
    h.colorMapType = in.u8();
    h.imageType = in.u8();
    h.mapFirst = in.u16();
    h.mapLength = in.u16();
    h.mapEntryBits = in.u8();
    in.skip(4);  // x and y origin of the image on screen
    h.width = in.u16();
    h.height = in.u16();
    h.depth = in.u8();
    h.descriptor = in.u8();
    if (!in.ok() || h.colorMapType > 1 || !validDepth(h)) return std::nullopt;
    if (!detail::imageSizeOk(h.width, h.height)) return std::nullopt;
    const bool attributeIsAlpha = (h.descriptor & 0x0F) != 0;

    in.skip(h.idLength);
    // A colour map may be present, and must then be skipped, even in true-colour images.
    std::vector<Pixel> colorMap;
    if (h.colorMapType == 1) {
        const size_t entryBytes = (h.mapEntryBits + 7u) / 8;
        const auto map = in.take(entryBytes * h.mapLength);
        if (!in.ok()) return std::nullopt;
        if ((h.imageType & ~8) == 1) {
            colorMap.resize(h.mapLength);
            for (size_t i = 0; i < colorMap.size(); ++i) {
                colorMap[i] = fromTrueColor(&map[i * entryBytes], h.mapEntryBits, attributeIsAlpha);
            }
        }
    }

    const size_t pixelBytes = (h.depth + 7u) / 8;
    const size_t pixelCount = size_t{h.width} * h.height;
    const bool rle = (h.imageType & 8) != 0;
    // Even a perfectly compressible image needs one packet per 128 pixels; reject files too
    // short to hold the image before allocating for it.
    const size_t minimumBytes =
        rle ? (pixelCount + 127) / 128 * (1 + pixelBytes) : pixelCount * pixelBytes;
    if (in.remaining() < minimumBytes) return std::nullopt;

    std::vector<uint8_t> raw;
    if (rle) {
        raw.resize(pixelCount * pixelBytes);
        if (!unpackRle(in, pixelBytes, raw)) return std::nullopt;
    } else {
        const auto data = in.take(pixelCount * pixelBytes);
        raw.assign(data.begin(), data.end());
    }

    auto image = detail::allocateImage(h.width, h.height);
    if (!image) return std::nullopt;
    const bool topOrigin = (h.descriptor & 0x20) != 0;
    const bool rightOrigin = (h.descriptor & 0x10) != 0;
    for (size_t i = 0; i < pixelCount; ++i) {
        const uint8_t* s = &raw[i * pixelBytes];
        Pixel p;
        switch (h.imageType & ~8) {
            case 1: {
                const unsigned index = h.depth == 8 ? s[0] : detail::loadU16LE(s);
                if (index >= h.mapFirst && index - h.mapFirst < colorMap.size()) {
                    p = colorMap[index - h.mapFirst];
                }
                break;
            }
            case 2:
                p = fromTrueColor(s, h.depth, attributeIsAlpha);
                break;
            default:
                p = {s[0], s[0], s[0], h.depth == 16 ? s[1] : uint8_t{255}};
                break;
        }
        const size_t fileRow = i / h.width;
        const size_t fileColumn = i % h.width;
        const size_t row = topOrigin ? fileRow : h.height - 1 - fileRow;
        const size_t column = rightOrigin ? h.width - 1 - fileColumn : fileColumn;
        uint8_t* d = &image->rgba[(row * h.width + column) * 4];
        d[0] = p.r;
        d[1] = p.g;
        d[2] = p.b;
        d[3] = p.a;
    }
    return image;
}

}  // namespace darts::gfx
