// The writers behind the committed bitmaps: BMP files must read back pixel for pixel with the
// game's decoder, the palette reduction must stay faithful, and icon and cursor files must follow
// the Windows container layout.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "bitmaps_raster.h"
#include "gfx/image.h"

namespace darts::content::bitmaps {
namespace {

uint32_t readLe32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}
uint16_t readLe16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

uint32_t rgbaToArgb(const gfx::Image& image, int x, int y) {
    const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
    return (uint32_t(p[3]) << 24) | (p[0] << 16) | (p[1] << 8) | p[2];
}

// A picture whose every pixel differs, so a swapped channel, a flipped row or a lost padding
// byte cannot go unnoticed.
Raster distinctPixels(int width, int height) {
    Raster picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.at(x, y) = 0xFF000000u | (uint32_t(x * 37 + 5) << 16) |
                               (uint32_t(y * 53 + 9) << 8) | uint32_t((x * 11 + y * 7) & 0xFF);
        }
    }
    return picture;
}

TEST(BitmapFiles, TwentyFourBitFilesReadBackExactlyWhateverTheRowPadding) {
    for (int width : {1, 2, 3, 4, 5, 7}) {
        const Raster picture = distinctPixels(width, 3);
        const std::vector<uint8_t> file = encodeBmp24(picture);
        const uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
        EXPECT_EQ(file.size(), 54u + rowBytes * 3) << width;
        EXPECT_EQ(readLe32(file, 2), file.size());  // the file size field
        EXPECT_EQ(readLe32(file, 10), 54u);         // pixels right after the headers
        EXPECT_EQ(readLe16(file, 28), 24u);

        const auto decoded = gfx::decodeBmp(file);
        ASSERT_TRUE(decoded) << width;
        ASSERT_EQ(decoded->width, width);
        ASSERT_EQ(decoded->height, 3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < width; ++x) {
                EXPECT_EQ(rgbaToArgb(*decoded, x, y), picture.at(x, y)) << x << "," << y;
            }
        }
    }
}

TEST(BitmapFiles, TwentyFourBitFilesAreOpaqueEvenFromTranslucentPixels) {
    Raster picture(2, 1);
    picture.at(0, 0) = 0x00123456u;
    picture.at(1, 0) = 0x80ABCDEFu;
    const auto decoded = gfx::decodeBmp(encodeBmp24(picture));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(rgbaToArgb(*decoded, 0, 0), 0xFF123456u);
    EXPECT_EQ(rgbaToArgb(*decoded, 1, 0), 0xFFABCDEFu);
}

TEST(BitmapFiles, EightBitFilesCarryTheirPaletteAndReadBackExactly) {
    IndexedImage picture;
    picture.width = 5;  // rows of 5 bytes need 3 bytes of padding
    picture.height = 2;
    picture.palette = {0xFF000000u, 0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
    picture.indices = {0, 1, 2, 3, 4, 4, 3, 2, 1, 0};
    const std::vector<uint8_t> file = encodeBmp8(picture);
    EXPECT_EQ(readLe16(file, 28), 8u);
    EXPECT_EQ(readLe32(file, 46), 5u);           // colours used
    EXPECT_EQ(readLe32(file, 10), 54u + 5 * 4);  // pixels after the palette
    EXPECT_EQ(file.size(), 54u + 5 * 4 + 8 * 2);

    const auto decoded = gfx::decodeBmp(file);
    ASSERT_TRUE(decoded);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(rgbaToArgb(*decoded, x, y), picture.palette[picture.indices[y * 5 + x]]);
        }
    }
}

TEST(BitmapFiles, WritersRefuseWhatNoBitmapCanHold) {
    EXPECT_THROW(encodeBmp24(Raster()), std::invalid_argument);
    IndexedImage indexed;
    indexed.width = 1;
    indexed.height = 1;
    indexed.indices = {0};
    EXPECT_THROW(encodeBmp8(indexed), std::invalid_argument);  // no palette
    indexed.palette = {0xFF000000u};
    indexed.indices = {1};
    EXPECT_THROW(encodeBmp8(indexed), std::invalid_argument);  // index past the palette
    indexed.palette.assign(257, 0xFF000000u);
    indexed.indices = {0};
    EXPECT_THROW(encodeBmp8(indexed), std::invalid_argument);  // more than 8 bits can index
    EXPECT_THROW(encodeIconFile(IconKind::Icon, {}), std::invalid_argument);
    const IconImage huge{Raster(257, 1), 0, 0};
    EXPECT_THROW(encodeIconFile(IconKind::Icon, {&huge, 1}), std::invalid_argument);
}

TEST(PaletteReduction, FewColoursAreKeptExactlyAndUndithered) {
    Raster picture(16, 16);
    const uint32_t colours[] = {0xFF102030u, 0xFFFFEEDDu, 0xFF7F7F7Fu};
    for (int i = 0; i < 256; ++i) picture.argb[i] = colours[(i / 7) % 3];
    const IndexedImage indexed = quantize(picture, 256, 1.0);
    EXPECT_EQ(indexed.palette.size(), 3u);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(indexed.palette[indexed.indices[i]], picture.argb[i]) << i;
    }
}

TEST(PaletteReduction, ManyColoursFitThePaletteAndStayClose) {
    // A smooth two-way gradient of 64 x 64 distinct colours.
    Raster picture(64, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            picture.at(x, y) = 0xFF000000u | (uint32_t(x * 4) << 16) | (uint32_t(y * 4) << 8) |
                               uint32_t(255 - x * 2);
        }
    }
    for (int colours : {16, 256}) {
        const IndexedImage indexed = quantize(picture, colours, 0.0);
        ASSERT_LE(indexed.palette.size(), size_t(colours));
        ASSERT_EQ(indexed.indices.size(), picture.argb.size());
        double totalError = 0;
        for (size_t i = 0; i < picture.argb.size(); ++i) {
            ASSERT_LT(indexed.indices[i], indexed.palette.size());
            const uint32_t a = picture.argb[i], b = indexed.palette[indexed.indices[i]];
            for (int shift : {0, 8, 16}) {
                totalError += std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
            }
            EXPECT_EQ(b >> 24, 0xFFu);
        }
        const double meanError = totalError / (3.0 * picture.argb.size());
        EXPECT_LT(meanError, colours == 256 ? 5.0 : 18.0) << colours;
    }
}

TEST(PaletteReduction, DitheringKeepsTheAverageColourOfAFlatArea) {
    // Black and white areas pull the two palette entries apart; the grey band between them has
    // no entry of its own and must still average out to grey when the error is diffused.
    Raster picture(32, 32);
    for (int y = 0; y < 32; ++y) {
        const uint32_t colour = y < 12 ? 0xFF000000u : (y < 24 ? 0xFFFFFFFFu : 0xFF808080u);
        for (int x = 0; x < 32; ++x) picture.at(x, y) = colour;
    }
    auto greyAverage = [&](double dither) {
        const IndexedImage indexed = quantize(picture, 2, dither);
        EXPECT_EQ(indexed.palette.size(), 2u);
        double sum = 0;
        for (int y = 24; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) sum += indexed.palette[indexed.indices[y * 32 + x]] & 0xFF;
        }
        return sum / (8 * 32);
    };
    EXPECT_NEAR(greyAverage(1.0), 128.0, 12.0);
    EXPECT_LT(greyAverage(0.0), 100.0);  // without diffusion the band takes the nearest entry
}

TEST(PaletteReduction, RejectsImpossiblePaletteSizes) {
    const Raster picture(2, 2);
    EXPECT_THROW(quantize(picture, 1, 0), std::invalid_argument);
    EXPECT_THROW(quantize(picture, 257, 0), std::invalid_argument);
    EXPECT_THROW(quantize(Raster(), 16, 0), std::invalid_argument);
}

TEST(IconFiles, CursorDirectoryHoldsTheHotSpotAndAMaskedDib) {
    Raster picture(3, 2, 0x00000000u);  // transparent but for two pixels
    picture.at(0, 0) = 0xFFFF0000u;
    picture.at(2, 1) = 0x80008000u;
    const IconImage cursor{picture, 1, 0};
    const std::vector<uint8_t> file = encodeIconFile(IconKind::Cursor, {&cursor, 1});
    ASSERT_GE(file.size(), 22u + 40u);
    EXPECT_EQ(readLe16(file, 0), 0u);
    EXPECT_EQ(readLe16(file, 2), 2u);  // cursor
    EXPECT_EQ(readLe16(file, 4), 1u);
    EXPECT_EQ(file[6], 3u);
    EXPECT_EQ(file[7], 2u);
    EXPECT_EQ(readLe16(file, 10), 1u);  // hot spot x
    EXPECT_EQ(readLe16(file, 12), 0u);  // hot spot y
    const uint32_t bytes = readLe32(file, 14), offset = readLe32(file, 18);
    EXPECT_EQ(offset, 22u);
    EXPECT_EQ(offset + bytes, file.size());

    EXPECT_EQ(readLe32(file, offset), 40u);
    EXPECT_EQ(readLe32(file, offset + 4), 3u);
    EXPECT_EQ(readLe32(file, offset + 8), 4u);  // colour rows and mask rows together
    EXPECT_EQ(readLe16(file, offset + 14), 32u);
    // Colour rows bottom-up: the bottom row's last pixel first keeps its alpha.
    const size_t colours = offset + 40;
    EXPECT_EQ(readLe32(file, colours + 8), 0x80008000u);
    EXPECT_EQ(readLe32(file, colours + 12), 0xFFFF0000u);
    // Mask rows, 4 bytes each, bottom-up: a set bit where the picture is fully transparent.
    const size_t mask = colours + 3 * 2 * 4;
    EXPECT_EQ(file[mask], 0b11000000);      // bottom row: x 0 and 1 transparent
    EXPECT_EQ(file[mask + 4], 0b01100000);  // top row: x 1 and 2 transparent
    EXPECT_EQ(mask + 8, file.size());
}

TEST(IconFiles, IconDirectoryListsEverySizeWithItsOwnOffset) {
    const std::vector<IconImage> icons{{Raster(32, 32, 0xFF000000u), 5, 5},
                                       {Raster(16, 16, 0xFF000000u), 0, 0}};
    const std::vector<uint8_t> file = encodeIconFile(IconKind::Icon, icons);
    EXPECT_EQ(readLe16(file, 2), 1u);  // icon
    EXPECT_EQ(readLe16(file, 4), 2u);
    size_t expectedOffset = 6 + 2 * 16;
    for (int i = 0; i < 2; ++i) {
        const size_t entry = 6 + 16 * i;
        const int size = i == 0 ? 32 : 16;
        EXPECT_EQ(file[entry], size);
        EXPECT_EQ(readLe16(file, entry + 4), 1u);   // planes, not a hot spot
        EXPECT_EQ(readLe16(file, entry + 6), 32u);  // bits per pixel
        EXPECT_EQ(readLe32(file, entry + 12), expectedOffset);
        const uint32_t bytes = readLe32(file, entry + 8);
        EXPECT_EQ(bytes, 40u + size * size * 4 + size * 4);  // 1-bit mask rows pad to 4 bytes
        expectedOffset += bytes;
    }
    EXPECT_EQ(expectedOffset, file.size());
}

}  // namespace
}  // namespace darts::content::bitmaps
