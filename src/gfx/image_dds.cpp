// DirectDraw surfaces: the top mip level (first face, first slice) of an uncompressed bit-mask
// surface or of a DXT1, DXT3 or DXT5 block-compressed one, which we decompress ourselves. The
// DX10 extension header is read for the equivalent BC1 to BC3 and 8-bit RGBA formats.
#include <algorithm>
#include <array>
#include <utility>

#include "gfx/image.h"
#include "gfx/image_internal.h"

namespace darts::gfx {

namespace {

using detail::ByteReader;
using detail::MaskChannel;

constexpr uint32_t kHeaderSize = 124;
constexpr uint32_t kPixelFormatSize = 32;
constexpr uint32_t kAlphaPixels = 0x1;
constexpr uint32_t kFourCC = 0x4;
constexpr uint32_t kRgb = 0x40;
constexpr uint32_t kLuminance = 0x20000;

constexpr uint32_t fourCC(const char (&s)[5]) {
    return uint32_t(uint8_t(s[0])) | uint32_t(uint8_t(s[1])) << 8 | uint32_t(uint8_t(s[2])) << 16 |
           uint32_t(uint8_t(s[3])) << 24;
}

enum class Encoding { Masks, Dxt1, Dxt3, Dxt5 };

struct Surface {
    Encoding encoding = Encoding::Masks;
    uint32_t bits = 0;                // bits per pixel, bit-mask surfaces only
    std::array<uint32_t, 4> masks{};  // R, G, B, A
    bool luminance = false;
};

using Rgba = std::array<uint8_t, 4>;

uint8_t expand5(unsigned v) { return static_cast<uint8_t>((v << 3) | (v >> 2)); }
uint8_t expand6(unsigned v) { return static_cast<uint8_t>((v << 2) | (v >> 4)); }

Rgba from565(uint16_t c) {
    return {expand5((c >> 11) & 31), expand6((c >> 5) & 63), expand5(c & 31), 255};
}

uint8_t mix(unsigned a, unsigned b, unsigned weightA, unsigned weightB) {
    return static_cast<uint8_t>((a * weightA + b * weightB + (weightA + weightB) / 2) /
                                (weightA + weightB));
}

// The colour half of a block: two RGB565 end points and sixteen 2-bit indices. In DXT1 an end
// point order of c0 <= c1 selects the three-colour mode with transparent black; DXT3 and DXT5
// always use four colours.
void decodeColorBlock(const uint8_t* block, bool allowTransparent, std::array<Rgba, 16>& out) {
    const uint16_t c0 = detail::loadU16LE(block);
    const uint16_t c1 = detail::loadU16LE(block + 2);
    const uint32_t indices = detail::loadU32LE(block + 4);
    std::array<Rgba, 4> palette{from565(c0), from565(c1), Rgba{}, Rgba{}};
    const Rgba& p0 = palette[0];
    const Rgba& p1 = palette[1];
    for (int i = 0; i < 3; ++i) {
        if (c0 > c1 || !allowTransparent) {
            palette[2][i] = mix(p0[i], p1[i], 2, 1);
            palette[3][i] = mix(p0[i], p1[i], 1, 2);
        } else {
            palette[2][i] = mix(p0[i], p1[i], 1, 1);
            palette[3][i] = 0;
        }
    }
    palette[2][3] = 255;
    palette[3][3] = (c0 > c1 || !allowTransparent) ? 255 : 0;
    for (int i = 0; i < 16; ++i) out[i] = palette[(indices >> (2 * i)) & 3];
}

// DXT3: sixteen explicit 4-bit alphas, first pixel in the low nibble.
void decodeExplicitAlpha(const uint8_t* block, std::array<Rgba, 16>& out) {
    for (int i = 0; i < 16; ++i) {
        const unsigned nibble = (block[i / 2] >> ((i & 1) ? 4 : 0)) & 15;
        out[i][3] = static_cast<uint8_t>(nibble * 17);
    }
}

// DXT5: two alpha end points and sixteen 3-bit indices into eight interpolated values (or six
// plus fully transparent and fully opaque when a0 <= a1).
void decodeInterpolatedAlpha(const uint8_t* block, std::array<Rgba, 16>& out) {
    const unsigned a0 = block[0];
    const unsigned a1 = block[1];
    std::array<uint8_t, 8> alpha{static_cast<uint8_t>(a0), static_cast<uint8_t>(a1)};
    if (a0 > a1) {
        for (unsigned i = 1; i < 7; ++i) alpha[i + 1] = mix(a0, a1, 7 - i, i);
    } else {
        for (unsigned i = 1; i < 5; ++i) alpha[i + 1] = mix(a0, a1, 5 - i, i);
        alpha[6] = 0;
        alpha[7] = 255;
    }
    uint64_t indices = 0;
    for (int i = 0; i < 6; ++i) indices |= uint64_t{block[2 + i]} << (8 * i);
    for (int i = 0; i < 16; ++i) out[i][3] = alpha[(indices >> (3 * i)) & 7];
}

// Bytes of the top level; the dimensions have passed imageSizeOk, so nothing overflows.
size_t topLevelBytes(const Surface& surface, size_t width, size_t height) {
    if (surface.encoding == Encoding::Masks) return width * height * (surface.bits / 8);
    const size_t blockBytes = surface.encoding == Encoding::Dxt1 ? 8 : 16;
    return (width + 3) / 4 * ((height + 3) / 4) * blockBytes;
}

Image decodeBlocks(std::span<const uint8_t> data, Encoding encoding, Image image) {
    const size_t blockBytes = encoding == Encoding::Dxt1 ? 8 : 16;
    const size_t blocksWide = (static_cast<size_t>(image.width) + 3) / 4;
    const size_t blocksHigh = (static_cast<size_t>(image.height) + 3) / 4;

    std::array<Rgba, 16> texels{};
    for (size_t by = 0; by < blocksHigh; ++by) {
        for (size_t bx = 0; bx < blocksWide; ++bx) {
            const uint8_t* block = &data[(by * blocksWide + bx) * blockBytes];
            const uint8_t* colorBlock = encoding == Encoding::Dxt1 ? block : block + 8;
            decodeColorBlock(colorBlock, encoding == Encoding::Dxt1, texels);
            if (encoding == Encoding::Dxt3) decodeExplicitAlpha(block, texels);
            if (encoding == Encoding::Dxt5) decodeInterpolatedAlpha(block, texels);
            // Blocks at the right and bottom edges may hang over the image.
            for (size_t i = 0; i < 16; ++i) {
                const size_t x = bx * 4 + i % 4;
                const size_t y = by * 4 + i / 4;
                if (x >= static_cast<size_t>(image.width) ||
                    y >= static_cast<size_t>(image.height)) {
                    continue;
                }
                const Rgba& t = texels[i];
                std::copy(t.begin(), t.end(), &image.rgba[(y * image.width + x) * 4]);
            }
        }
    }
    return image;
}

Image decodeMasks(std::span<const uint8_t> data, const Surface& surface, Image image) {
    const size_t pixelBytes = surface.bits / 8;
    const size_t pixelCount = static_cast<size_t>(image.width) * image.height;

    const MaskChannel red(surface.masks[0]), green(surface.masks[1]), blue(surface.masks[2]);
    const MaskChannel alpha(surface.masks[3]);
    for (size_t i = 0; i < pixelCount; ++i) {
        uint32_t v = 0;
        for (size_t b = 0; b < pixelBytes; ++b) v |= uint32_t{data[i * pixelBytes + b]} << (8 * b);
        uint8_t* d = &image.rgba[i * 4];
        d[0] = red.extract(v);
        d[1] = surface.luminance ? d[0] : green.extract(v);
        d[2] = surface.luminance ? d[0] : blue.extract(v);
        d[3] = alpha.present() ? alpha.extract(v) : uint8_t{255};
    }
    return image;
}

// The DXGI formats of the DX10 header that have an equivalent above.
std::optional<Surface> surfaceFromDxgi(uint32_t format) {
    Surface s;
    switch (format) {
        case 71:  // BC1_UNORM
        case 72:  // BC1_UNORM_SRGB
            s.encoding = Encoding::Dxt1;
            return s;
        case 74:  // BC2
        case 75:
            s.encoding = Encoding::Dxt3;
            return s;
        case 77:  // BC3
        case 78:
            s.encoding = Encoding::Dxt5;
            return s;
        case 28:  // R8G8B8A8_UNORM
        case 29:
            s.bits = 32;
            s.masks = {0xFF, 0xFF00, 0xFF0000, 0xFF000000};
            return s;
        case 87:  // B8G8R8A8_UNORM
        case 91:
            s.bits = 32;
            s.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
            return s;
        case 88:  // B8G8R8X8_UNORM
        case 93:
            s.bits = 32;
            s.masks = {0xFF0000, 0xFF00, 0xFF, 0};
            return s;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<Image> decodeDds(std::span<const uint8_t> bytes) {
    if (bytes.size() < 4 || bytes[0] != 'D' || bytes[1] != 'D' || bytes[2] != 'S' ||
        bytes[3] != ' ') {
        return std::nullopt;
    }
    ByteReader in(bytes, 4);
    const uint32_t size = in.u32();
    in.u32();  // flags: which fields are valid; writers are too careless for it to be useful
    const uint32_t height = in.u32();
    const uint32_t width = in.u32();
    in.skip(4 + 4 + 4 + 11 * 4);  // pitch, depth, mip count, reserved
    const uint32_t formatSize = in.u32();
    const uint32_t formatFlags = in.u32();
    const uint32_t code = in.u32();
    Surface surface;
    surface.bits = in.u32();
    for (uint32_t& mask : surface.masks) mask = in.u32();
    in.skip(5 * 4);  // capabilities and reserved
    if (!in.ok() || size != kHeaderSize || formatSize != kPixelFormatSize) return std::nullopt;

    if (formatFlags & kFourCC) {
        if (code == fourCC("DXT1")) {
            surface.encoding = Encoding::Dxt1;
        } else if (code == fourCC("DXT3")) {
            surface.encoding = Encoding::Dxt3;
        } else if (code == fourCC("DXT5")) {
            surface.encoding = Encoding::Dxt5;
        } else if (code == fourCC("DX10")) {
            const uint32_t dxgiFormat = in.u32();
            in.skip(16);  // dimension, flags, array size, more flags
            auto dx10 = in.ok() ? surfaceFromDxgi(dxgiFormat) : std::nullopt;
            if (!dx10) return std::nullopt;
            surface = *dx10;
        } else {
            return std::nullopt;  // premultiplied DXT2/DXT4 and other codes are not supported
        }
    } else if (formatFlags & (kRgb | kLuminance)) {
        if (surface.bits != 8 && surface.bits != 16 && surface.bits != 24 && surface.bits != 32) {
            return std::nullopt;
        }
        surface.luminance = (formatFlags & kRgb) == 0;
        if (!(formatFlags & kAlphaPixels)) surface.masks[3] = 0;
    } else {
        return std::nullopt;
    }

    if (!detail::imageSizeOk(width, height)) return std::nullopt;
    const auto data = bytes.subspan(in.position());
    if (data.size() < topLevelBytes(surface, width, height)) return std::nullopt;
    auto image = detail::allocateImage(width, height);
    if (!image) return std::nullopt;
    if (surface.encoding == Encoding::Masks) return decodeMasks(data, surface, std::move(*image));
    return decodeBlocks(data, surface.encoding, std::move(*image));
}

}  // namespace darts::gfx
