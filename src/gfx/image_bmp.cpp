// BMP files and device-independent bitmaps: BITMAPCOREHEADER, BITMAPINFOHEADER and the V2 to V5
// extensions; 1, 4 and 8 bits with palette (uncompressed or RLE), 16 and 32 bits with default
// layout or bit fields, 24 bits.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "gfx/image.h"
#include "gfx/image_internal.h"

namespace darts::gfx {

namespace {

using detail::ByteReader;
using detail::MaskChannel;

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

struct DibLayout {
    int64_t width = 0;
    int64_t height = 0;  // always positive; orientation is in topDown
    bool topDown = false;
    int bits = 0;
    uint32_t compression = kBiRgb;
    std::array<uint32_t, 4> masks{};  // R, G, B, A
    std::vector<Rgba> palette;
    size_t pixelOffset = 0;  // from the start of the DIB
};

bool validBitsForCompression(int bits, uint32_t compression) {
    switch (compression) {
        case kBiRgb:
            return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
        case kBiRle8:
            return bits == 8;
        case kBiRle4:
            return bits == 4;
        case kBiBitfields:
        case kBiAlphaBitfields:
            return bits == 16 || bits == 32;
        default:
            return false;  // JPEG and PNG inside a DIB are a printer feature; not for textures
    }
}

// Reads the headers, masks and palette. `fileOffset` is the pixel offset a file header gave,
// already made relative to the DIB; without it the pixels follow the palette directly, which is
// how resources store them.
std::optional<DibLayout> parseLayout(std::span<const uint8_t> dib,
                                     std::optional<size_t> fileOffset) {
    ByteReader in(dib);
    const uint32_t headerSize = in.u32();
    if (!in.ok() || headerSize < kCoreHeaderSize || headerSize > dib.size()) return std::nullopt;

    DibLayout layout;
    uint32_t colorsUsed = 0;
    size_t paletteEntrySize = 4;
    if (headerSize == kCoreHeaderSize) {
        layout.width = in.u16();
        layout.height = in.u16();
        in.u16();  // planes
        layout.bits = in.u16();
        paletteEntrySize = 3;
    } else if (headerSize >= kInfoHeaderSize) {
        layout.width = in.i32();
        const int64_t height = in.i32();
        layout.topDown = height < 0;
        layout.height = std::abs(height);
        in.u16();  // planes
        layout.bits = in.u16();
        layout.compression = in.u32();
        in.skip(12);  // image size and resolution: not needed to decode
        colorsUsed = in.u32();
        in.u32();  // colours important
        // V2 and later headers carry the masks themselves; V2 has no alpha mask.
        if (headerSize >= 52) {
            for (int i = 0; i < 3; ++i) layout.masks[i] = in.u32();
        }
        if (headerSize >= 56) layout.masks[3] = in.u32();
    } else {
        return std::nullopt;  // the 16..39 byte OS/2 variants are not used for textures
    }
    if (!in.ok() || !validBitsForCompression(layout.bits, layout.compression)) return std::nullopt;
    if (!detail::imageSizeOk(layout.width, layout.height)) return std::nullopt;
    // RLE bitmaps are bottom-up by definition.
    if (layout.topDown && (layout.compression == kBiRle8 || layout.compression == kBiRle4)) {
        return std::nullopt;
    }

    // BITMAPINFOHEADER puts the masks after the header, where the palette would start.
    in = ByteReader(dib, headerSize);
    if (headerSize == kInfoHeaderSize &&
        (layout.compression == kBiBitfields || layout.compression == kBiAlphaBitfields)) {
        const int count = layout.compression == kBiAlphaBitfields ? 4 : 3;
        for (int i = 0; i < count; ++i) layout.masks[i] = in.u32();
    }
    if (layout.compression == kBiRgb) layout.masks[3] = 0;

    // A palette may be shorter than 2^bits (colours used); indices past its end are black.
    // True-colour bitmaps may carry an optimisation palette that only has to be skipped.
    size_t paletteCount = colorsUsed;
    if (layout.bits <= 8) {
        if (paletteCount == 0) paletteCount = size_t{1} << layout.bits;
        if (paletteCount > 256) return std::nullopt;
    }
    if (paletteCount > in.remaining() / paletteEntrySize) return std::nullopt;
    if (layout.bits <= 8) {
        layout.palette.resize(paletteCount);
        for (Rgba& entry : layout.palette) {
            entry.b = in.u8();
            entry.g = in.u8();
            entry.r = in.u8();
            if (paletteEntrySize == 4) in.u8();  // reserved, not alpha
        }
    } else {
        in.skip(paletteCount * paletteEntrySize);
    }
    if (!in.ok()) return std::nullopt;

    layout.pixelOffset = in.position();
    if (fileOffset && *fileOffset >= headerSize && *fileOffset < dib.size()) {
        layout.pixelOffset = *fileOffset;
    }
    return layout;
}

Rgba paletteColor(const DibLayout& layout, unsigned index) {
    return index < layout.palette.size() ? layout.palette[index] : Rgba{};
}

void store(Image& image, int64_t x, int64_t row, Rgba c) {
    uint8_t* p = &image.rgba[static_cast<size_t>((row * image.width + x) * 4)];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
    p[3] = c.a;
}

std::optional<Image> decodeUncompressed(std::span<const uint8_t> dib, const DibLayout& layout) {
    const uint64_t stride = (static_cast<uint64_t>(layout.width) * layout.bits + 31) / 32 * 4;
    const uint64_t needed = stride * static_cast<uint64_t>(layout.height);
    if (layout.pixelOffset > dib.size() || needed > dib.size() - layout.pixelOffset) {
        return std::nullopt;
    }
    auto image = detail::allocateImage(layout.width, layout.height);
    if (!image) return std::nullopt;

    const bool useMasks = layout.compression != kBiRgb;
    const uint32_t defaultMasks16[3] = {0x7C00, 0x03E0, 0x001F};
    const uint32_t defaultMasks32[3] = {0xFF0000, 0xFF00, 0xFF};
    const uint32_t* rgbMasks = useMasks            ? layout.masks.data()
                               : layout.bits == 16 ? defaultMasks16
                                                   : defaultMasks32;
    const MaskChannel red(rgbMasks[0]), green(rgbMasks[1]), blue(rgbMasks[2]);
    const MaskChannel alpha(useMasks ? layout.masks[3] : 0);
    // The fourth byte of a BI_RGB 32-bit pixel is officially reserved; writers that store alpha
    // there are recognised by it being non-zero somewhere.
    bool reservedByteIsAlpha = false;

    for (int64_t y = 0; y < layout.height; ++y) {
        const int64_t row = layout.topDown ? y : layout.height - 1 - y;
        const uint8_t* src = &dib[layout.pixelOffset + static_cast<size_t>(y) * stride];
        for (int64_t x = 0; x < layout.width; ++x) {
            Rgba c;
            switch (layout.bits) {
                case 1:
                    c = paletteColor(layout, (src[x >> 3] >> (7 - (x & 7))) & 1);
                    break;
                case 4:
                    c = paletteColor(layout, (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15);
                    break;
                case 8:
                    c = paletteColor(layout, src[x]);
                    break;
                case 24:
                    c = {src[x * 3 + 2], src[x * 3 + 1], src[x * 3], 255};
                    break;
                default: {  // 16 and 32 bits
                    const uint32_t v = layout.bits == 16 ? detail::loadU16LE(&src[x * 2])
                                                         : detail::loadU32LE(&src[x * 4]);
                    c = {red.extract(v), green.extract(v), blue.extract(v),
                         alpha.present() ? alpha.extract(v) : uint8_t{255}};
                    if (layout.bits == 32 && !useMasks) {
                        c.a = static_cast<uint8_t>(v >> 24);
                        reservedByteIsAlpha = reservedByteIsAlpha || c.a != 0;
                    }
                    break;
                }
            }
            store(*image, x, row, c);
        }
    }
    if (layout.bits == 32 && !useMasks && !reservedByteIsAlpha) {
        for (size_t i = 3; i < image->rgba.size(); i += 4) image->rgba[i] = 255;
    }
    return image;
}

// Run-length encoded 4 and 8-bit bitmaps. Pixels that the runs skip keep palette index 0.
// The data must end with the end-of-bitmap code; anything cut short is a failure.
std::optional<Image> decodeRle(std::span<const uint8_t> dib, const DibLayout& layout) {
    if (layout.pixelOffset > dib.size()) return std::nullopt;
    auto image = detail::allocateImage(layout.width, layout.height);
    if (!image) return std::nullopt;

    const bool rle4 = layout.compression == kBiRle4;
    std::vector<uint8_t> indices(static_cast<size_t>(layout.width * layout.height), 0);
    int64_t x = 0;
    int64_t y = 0;  // counted from the bottom row
    auto put = [&](unsigned index) {
        if (x < layout.width && y < layout.height) {
            indices[static_cast<size_t>((layout.height - 1 - y) * layout.width + x)] =
                static_cast<uint8_t>(index);
        }
        ++x;
    };

    ByteReader in(dib, layout.pixelOffset);
    bool finished = false;
    while (!finished) {
        const uint8_t count = in.u8();
        const uint8_t value = in.u8();
        if (!in.ok()) return std::nullopt;
        if (count > 0) {
            for (int i = 0; i < count; ++i) {
                put(rle4 ? ((i & 1) ? value & 15 : value >> 4) : value);
            }
            continue;
        }
        switch (value) {
            case 0:  // end of line
                x = 0;
                ++y;
                break;
            case 1:  // end of bitmap
                finished = true;
                break;
            case 2: {  // move right and up
                const uint8_t dx = in.u8();
                const uint8_t dy = in.u8();
                x += dx;
                y += dy;
                break;
            }
            default: {  // literal run, padded to an even number of bytes
                const size_t bytes = rle4 ? (value + 1u) / 2 : value;
                const auto literal = in.take(bytes);
                if (!in.ok()) return std::nullopt;
                for (int i = 0; i < value; ++i) {
                    put(rle4 ? (literal[i / 2] >> ((i & 1) ? 0 : 4)) & 15 : literal[i]);
                }
                if (bytes & 1) in.skip(1);
                break;
            }
        }
        if (!in.ok()) return std::nullopt;
    }

    for (size_t i = 0; i < indices.size(); ++i) {
        const Rgba c = paletteColor(layout, indices[i]);
        image->rgba[i * 4] = c.r;
        image->rgba[i * 4 + 1] = c.g;
        image->rgba[i * 4 + 2] = c.b;
        image->rgba[i * 4 + 3] = 255;
    }
    return image;
}

std::optional<Image> decodeDibWithOffset(std::span<const uint8_t> dib,
                                         std::optional<size_t> fileOffset, bool forceOpaque) {
    const auto layout = parseLayout(dib, fileOffset);
    if (!layout) return std::nullopt;
    auto image = (layout->compression == kBiRle8 || layout->compression == kBiRle4)
                     ? decodeRle(dib, *layout)
                     : decodeUncompressed(dib, *layout);
    if (image && forceOpaque) {
        for (size_t i = 3; i < image->rgba.size(); i += 4) image->rgba[i] = 255;
    }
    return image;
}

}  // namespace

std::optional<Image> decodeDib(std::span<const uint8_t> bytes, bool forceOpaque) {
    return decodeDibWithOffset(bytes, std::nullopt, forceOpaque);
}

std::optional<Image> decodeBmp(std::span<const uint8_t> bytes, bool forceOpaque) {
    if (bytes.size() < kFileHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    const uint32_t offBits = detail::loadU32LE(&bytes[10]);
    std::optional<size_t> offset;
    if (offBits >= kFileHeaderSize) offset = offBits - kFileHeaderSize;
    return decodeDibWithOffset(bytes.subspan(kFileHeaderSize), offset, forceOpaque);
}

}  // namespace darts::gfx
