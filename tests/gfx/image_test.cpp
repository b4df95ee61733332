// The image decoders against small files built here byte by byte (PNG and JPEG through zlib and
// libjpeg's encoder), checked pixel by pixel, plus every truncation and random corruption of
// each file, which must fail cleanly or decode without touching memory out of bounds.
#include <gtest/gtest.h>
#include <zlib.h>

// jpeglib.h uses size_t and FILE without including their headers.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "gfx/image.h"

namespace darts::gfx {
namespace {

using Bytes = std::vector<uint8_t>;
using Decoder = std::function<std::optional<Image>(std::span<const uint8_t>)>;
using Px = std::array<uint8_t, 4>;

void le16(Bytes& b, uint32_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void le32(Bytes& b, uint32_t v) {
    b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}
void be32(Bytes& b, uint32_t v) {
    b.insert(b.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
}
void append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

Px at(const Image& image, int x, int y) {
    const uint8_t* p = &image.rgba[(size_t(y) * image.width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

void expectPixels(const std::optional<Image>& image, int width, int height,
                  const std::vector<Px>& expected) {
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width, width);
    ASSERT_EQ(image->height, height);
    ASSERT_EQ(image->rgba.size(), size_t(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            EXPECT_EQ(at(*image, x, y), expected[size_t(y) * width + x]) << "at " << x << "," << y;
        }
    }
}

void expectEveryTruncationFails(const Decoder& decode, const Bytes& file) {
    ASSERT_TRUE(decode(file).has_value());
    for (size_t n = 0; n < file.size(); ++n) {
        EXPECT_FALSE(decode(std::span(file.data(), n)).has_value()) << "kept " << n << " bytes";
    }
}

// Corrupted files may decode or fail; under the sanitizers this shows they never read or write
// out of bounds, and a decoded image always has the size it claims.
void expectCorruptionIsSafe(const Bytes& file) {
    std::mt19937 random(1234);
    for (int round = 0; round < 400; ++round) {
        Bytes copy = file;
        const int flips = 1 + int(random() % 4);
        for (int i = 0; i < flips; ++i) copy[random() % copy.size()] = uint8_t(random());
        if (const auto image = decodeImage(copy)) {
            EXPECT_EQ(image->rgba.size(), size_t(image->width) * image->height * 4);
        }
    }
}

constexpr Px kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255};
constexpr Px kWhite{255, 255, 255, 255}, kBlack{0, 0, 0, 255};

// ---- BMP and DIB ----

struct Dib {
    int32_t width, height;
    uint16_t bits;
    uint32_t compression = 0;
    uint32_t headerSize = 40;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> palette;  // 0xRRGGBB
    std::vector<uint32_t> masks;    // after a 40-byte header, inside a V4/V5 one
    Bytes pixels;                   // rows as stored, padding included
};

Bytes makeDib(const Dib& d) {
    Bytes b;
    le32(b, d.headerSize);
    if (d.headerSize == 12) {
        le16(b, uint16_t(d.width));
        le16(b, uint16_t(d.height));
        le16(b, 1);
        le16(b, d.bits);
    } else {
        le32(b, uint32_t(d.width));
        le32(b, uint32_t(d.height));
        le16(b, 1);
        le16(b, d.bits);
        le32(b, d.compression);
        for (int i = 0; i < 3; ++i) le32(b, 0);
        le32(b, d.colorsUsed);
        le32(b, 0);
        if (d.headerSize == 40) {
            for (uint32_t m : d.masks) le32(b, m);
        } else {
            for (size_t i = 0; i < 4; ++i) le32(b, i < d.masks.size() ? d.masks[i] : 0);
            b.resize(d.headerSize, 0);
        }
    }
    for (uint32_t c : d.palette) {
        b.insert(b.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)});
        if (d.headerSize != 12) b.push_back(0);
    }
    append(b, d.pixels);
    return b;
}

Bytes makeBmpFile(const Dib& d, uint32_t gap = 0) {
    Bytes dib = makeDib(d);
    const size_t pixelOffset = 14 + dib.size() - d.pixels.size();
    dib.insert(dib.end() - std::ptrdiff_t(d.pixels.size()), gap, 0xEE);
    Bytes b{'B', 'M'};
    le32(b, uint32_t(14 + dib.size()));
    le32(b, 0);
    le32(b, uint32_t(pixelOffset + gap));
    append(b, dib);
    return b;
}

// 2 x 2, 24 bits: bottom row (stored first) blue, white; top row red, green.
const Dib kBmp24{
    2, 2, 24, 0, 40, 0, {}, {}, {255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0}};

TEST(ImageBmp, TrueColourRowsComeOutTopFirstInEitherStoredOrder) {
    expectPixels(decodeBmp(makeBmpFile(kBmp24)), 2, 2, {kRed, kGreen, kBlue, kWhite});
    Dib topDown = kBmp24;
    topDown.height = -2;
    expectPixels(decodeBmp(makeBmpFile(topDown)), 2, 2, {kBlue, kWhite, kRed, kGreen});
}

TEST(ImageBmp, PaletteFormatsReadIndicesAndTreatIndicesPastAShortPaletteAsBlack) {
    // 8 bits, two colours used: index 2 lies past the palette.
    Dib eight{3, 1, 8, 0, 40, 2, {0xFF0000, 0x00FF00}, {}, {1, 0, 2, 0}};
    expectPixels(decodeBmp(makeBmpFile(eight)), 3, 1, {kGreen, kRed, kBlack});
    // 4 bits: high nibble first.
    Dib four{3, 1, 4, 0, 40, 3, {0, 0xFF0000, 0x0000FF}, {}, {0x12, 0x00, 0, 0}};
    expectPixels(decodeBmp(makeBmpFile(four)), 3, 1, {kRed, kBlue, kBlack});
    // 1 bit across a byte boundary: most significant bit first.
    Dib one{9, 1, 1, 0, 40, 0, {0x000000, 0xFFFFFF}, {}, {0b10000001, 0b10000000, 0, 0}};
    std::vector<Px> expected(9, kBlack);
    expected[0] = expected[7] = expected[8] = kWhite;
    expectPixels(decodeBmp(makeBmpFile(one)), 9, 1, expected);
    // OS/2 core header: three-byte palette entries.
    Dib core{2, 1, 8, 0, 12, 0, std::vector<uint32_t>(256, 0x0000FF), {}, {0, 0, 0, 0}};
    core.palette[1] = 0xFF0000;
    core.pixels = {1, 0, 0, 0};
    expectPixels(decodeBmp(makeBmpFile(core)), 2, 1, {kRed, kBlue});
}

TEST(ImageBmp, SixteenAndThirtyTwoBitLayouts) {
    // BI_RGB 16 bits is X1R5G5B5.
    Dib rgb555{2, 1, 16, 0, 40, 0, {}, {}, {0x00, 0x7C, 0x1F, 0x00}};
    expectPixels(decodeBmp(makeBmpFile(rgb555)), 2, 1, {kRed, kBlue});
    // Bit fields R5G6B5 after a 40-byte header.
    Dib rgb565{2, 1, 16, 3, 40, 0, {}, {0xF800, 0x07E0, 0x001F}, {0xE0, 0x07, 0x1F, 0x00}};
    expectPixels(decodeBmp(makeBmpFile(rgb565)), 2, 1, {kGreen, kBlue});
    // V5 header with an alpha mask and bytes stored R, G, B, A.
    Dib v5{2,
           1,
           32,
           3,
           124,
           0,
           {},
           {0xFF, 0xFF00, 0xFF0000, 0xFF000000},
           {255, 0, 0, 0x80, 0, 0, 255, 0}};
    expectPixels(decodeBmp(makeBmpFile(v5)), 2, 1, {{255, 0, 0, 0x80}, {0, 0, 255, 0}});
    // BI_RGB 32 bits: the reserved byte is alpha only if some pixel sets it.
    Dib x8{2, 1, 32, 0, 40, 0, {}, {}, {0, 0, 255, 0x40, 255, 0, 0, 0}};
    expectPixels(decodeBmp(makeBmpFile(x8)), 2, 1, {{255, 0, 0, 0x40}, {0, 0, 255, 0}});
    x8.pixels[3] = 0;
    expectPixels(decodeBmp(makeBmpFile(x8)), 2, 1, {kRed, kBlue});
}

TEST(ImageBmp, FileOffsetIsHonouredAndResourceDibsAreOpaque) {
    expectPixels(decodeBmp(makeBmpFile(kBmp24, 6)), 2, 2, {kRed, kGreen, kBlue, kWhite});

    Dib alpha{1, 1, 32, 0, 108, 0, {}, {}, {0, 0, 255, 0x10}};
    expectPixels(decodeDib(makeDib(alpha)), 1, 1, {kRed});
    expectPixels(decodeDib(makeDib(alpha), false), 1, 1, {{255, 0, 0, 0x10}});
    expectPixels(decodeBmp(makeBmpFile(alpha), true), 1, 1, {kRed});
}

TEST(ImageBmp, RunLengthEncodedBitmaps) {
    // 4 x 3, RLE8, bottom row first: a run of 3, end of line; a literal of 3 (padded) and a
    // run of 1, end of line; a delta to x 2 and a run of 2. Skipped pixels keep index 0.
    const std::vector<uint32_t> palette{0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    Dib rle8{4,       3,  8,
             1,       40, 4,
             palette, {}, {3, 1, 0, 0, 0, 3, 2, 3, 2, 0, 1, 1, 0, 0, 0, 2, 2, 0, 2, 3, 0, 1}};
    expectPixels(
        decodeDib(makeDib(rle8)), 4, 3,
        {kBlack, kBlack, kBlue, kBlue, kGreen, kBlue, kGreen, kRed, kRed, kRed, kRed, kBlack});
    // RLE4: a run alternates its two nibbles; a literal of 5 nibbles takes 3 bytes + 1 padding.
    Dib rle4{7, 1, 4, 2, 40, 4, palette, {}, {2, 0x12, 0, 5, 0x30, 0x12, 0x30, 0, 0, 1}};
    expectPixels(decodeDib(makeDib(rle4)), 7, 1,
                 {kRed, kGreen, kBlue, kBlack, kRed, kGreen, kBlue});
    expectEveryTruncationFails([](auto b) { return decodeDib(b); }, makeDib(rle8));
    // RLE bitmaps cannot be top-down.
    rle8.height = -3;
    EXPECT_FALSE(decodeDib(makeDib(rle8)));
}

TEST(ImageBmp, MalformedHeadersFail) {
    Dib bad = kBmp24;
    bad.bits = 7;
    EXPECT_FALSE(decodeBmp(makeBmpFile(bad)));
    bad = kBmp24;
    bad.compression = 9;
    EXPECT_FALSE(decodeBmp(makeBmpFile(bad)));
    bad = kBmp24;
    bad.width = 0;
    EXPECT_FALSE(decodeBmp(makeBmpFile(bad)));
    bad = kBmp24;
    bad.width = bad.height = 0x7FFFFFFF;  // must be refused before any allocation
    EXPECT_FALSE(decodeBmp(makeBmpFile(bad)));
    bad.height = int32_t(0x80000000);
    EXPECT_FALSE(decodeBmp(makeBmpFile(bad)));
    Dib hugePalette{1, 1, 8, 0, 40, 0x40000000, {}, {}, {0, 0, 0, 0}};
    EXPECT_FALSE(decodeDib(makeDib(hugePalette)));

    expectEveryTruncationFails([](auto b) { return decodeBmp(b); }, makeBmpFile(kBmp24));
    Dib eight{3, 1, 8, 0, 40, 2, {0xFF0000, 0x00FF00}, {}, {1, 0, 2, 0}};
    expectEveryTruncationFails([](auto b) { return decodeDib(b); }, makeDib(eight));
    expectCorruptionIsSafe(makeBmpFile(eight));
    expectCorruptionIsSafe(makeDib(Dib{
        2, 1, 32, 3, 124, 0, {}, {0xFF, 0xFF00, 0xFF0000, 1}, {255, 0, 0, 0x80, 0, 0, 255, 0}}));
}

// ---- PNG ----

void pngChunk(Bytes& b, const char* type, const Bytes& data) {
    be32(b, uint32_t(data.size()));
    Bytes body(type, type + 4);
    append(body, data);
    append(b, body);
    be32(b, uint32_t(crc32(0, body.data(), uInt(body.size()))));
}

// `rows` holds the unfiltered scan lines, each with its filter byte, pass after pass when
// interlaced.
Bytes makePng(uint32_t w, uint32_t h, uint8_t depth, uint8_t colorType, const Bytes& rows,
              bool interlaced = false, const Bytes& plte = {}, const Bytes& trns = {}) {
    Bytes b{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes ihdr;
    be32(ihdr, w);
    be32(ihdr, h);
    ihdr.insert(ihdr.end(), {depth, colorType, 0, 0, uint8_t(interlaced)});
    pngChunk(b, "IHDR", ihdr);
    if (!plte.empty()) pngChunk(b, "PLTE", plte);
    if (!trns.empty()) pngChunk(b, "tRNS", trns);
    Bytes z(compressBound(uLong(rows.size())));
    uLongf size = uLongf(z.size());
    compress(z.data(), &size, rows.data(), uLong(rows.size()));
    z.resize(size);
    pngChunk(b, "IDAT", z);
    pngChunk(b, "IEND", {});
    return b;
}

TEST(ImagePng, EveryColourTypeExpandsToRgba) {
    // Grey, 1 bit: 0 and 1 become black and white.
    expectPixels(decodePng(makePng(3, 1, 1, 0, {0, 0b01000000})), 3, 1, {kBlack, kWhite, kBlack});
    // Grey, 16 bits, scaled to 8.
    expectPixels(decodePng(makePng(2, 1, 16, 0, {0, 0x80, 0x80, 0xFF, 0xFF})), 2, 1,
                 {{128, 128, 128, 255}, kWhite});
    // Grey with alpha.
    expectPixels(decodePng(makePng(1, 1, 8, 4, {0, 200, 100})), 1, 1, {{200, 200, 200, 100}});
    // RGB with a tRNS colour key: matching pixels turn transparent.
    expectPixels(
        decodePng(makePng(2, 1, 8, 2, {0, 255, 0, 0, 0, 0, 255}, false, {}, {0, 0, 0, 0, 0, 255})),
        2, 1, {kRed, {0, 0, 255, 0}});
    // RGBA, 16 bits.
    expectPixels(decodePng(makePng(1, 1, 16, 6, {0, 0xFF, 0xFF, 0, 0, 0x40, 0x40, 0x80, 0x80})), 1,
                 1, {{255, 0, 64, 128}});
    // 2-bit palette with a tRNS shorter than the palette.
    expectPixels(decodePng(makePng(3, 1, 2, 3, {0, 0b00011000}, false,
                                   {255, 0, 0, 0, 255, 0, 0, 0, 255}, {77})),
                 3, 1, {{255, 0, 0, 77}, kGreen, kBlue});
}

TEST(ImagePng, InterlacedImagesAreReassembled) {
    // 3 x 3 grey, Adam7: pass 1 holds (0,0), pass 4 (2,0) ... listed pass by pass.
    // Pixel value = 10 * y + x + 1.
    const Bytes rows{0, 1,            // pass 1: (0,0)
                     0, 3,            // pass 4: (2,0)
                     0, 21, 23,       // pass 5: (0,2) (2,2)
                     0, 2,  0,  22,   // pass 6: (1,0); (1,2)
                     0, 11, 12, 13};  // pass 7: row 1
    const auto image = decodePng(makePng(3, 3, 8, 0, rows, true));
    ASSERT_TRUE(image);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(at(*image, x, y)[0], 10 * y + x + 1);
    }
}

TEST(ImagePng, BrokenFilesFail) {
    const Bytes good = makePng(2, 2, 8, 2, {0, 1, 2, 3, 4, 5, 6, 0, 7, 8, 9, 10, 11, 12});
    expectEveryTruncationFails(decodePng, good);
    expectCorruptionIsSafe(good);
    Bytes badCrc = good;
    badCrc[badCrc.size() - 20] ^= 1;  // inside IDAT
    EXPECT_FALSE(decodePng(badCrc));
    EXPECT_FALSE(decodePng(makePng(100000, 1, 8, 0, Bytes(100001, 0))));  // beyond the limits
    EXPECT_FALSE(decodePng(makePng(2, 1, 8, 0, {0, 1})));                 // too little data
}

// ---- JPEG ----

Bytes makeJpeg(int w, int h, bool grey, const std::function<Px(int, int)>& pixel) {
    jpeg_compress_struct c{};
    jpeg_error_mgr errors{};
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = JDIMENSION(w);
    c.image_height = JDIMENSION(h);
    c.input_components = grey ? 1 : 3;
    c.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 100, TRUE);
    jpeg_start_compress(&c, TRUE);
    Bytes row(size_t(w) * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Px p = pixel(x, y);
            for (int i = 0; i < c.input_components; ++i)
                row[size_t(x * c.input_components + i)] = p[i];
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    Bytes result(out, out + size);
    jpeg_destroy_compress(&c);
    std::free(out);
    return result;
}

void expectNear(Px actual, Px expected) {
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(actual[i], expected[i], 6) << "channel " << i;
}

TEST(ImageJpeg, ColourAndGreyDecodeTopRowFirst) {
    // Top half red, bottom half blue; whole 8 x 8 blocks keep the colours clean.
    const Bytes colour = makeJpeg(16, 16, false, [](int, int y) { return y < 8 ? kRed : kBlue; });
    const auto image = decodeJpeg(colour);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 16);
    ASSERT_EQ(image->height, 16);
    expectNear(at(*image, 3, 2), kRed);
    expectNear(at(*image, 12, 13), kBlue);

    const auto grey = decodeJpeg(makeJpeg(8, 8, true, [](int, int) { return Px{100}; }));
    ASSERT_TRUE(grey);
    expectNear(at(*grey, 4, 4), {100, 100, 100, 255});
}

TEST(ImageJpeg, BrokenFilesFail) {
    const Bytes good = makeJpeg(8, 8, false, [](int x, int y) {
        return Px{uint8_t(x * 30), uint8_t(y * 30), 0};
    });
    expectEveryTruncationFails(decodeJpeg, good);
    expectCorruptionIsSafe(good);
    EXPECT_FALSE(decodeJpeg(Bytes{0xFF, 0xD8, 0xFF, 0x00, 1, 2, 3, 4}));
}

// ---- TGA ----

Bytes makeTga(uint8_t type, uint16_t w, uint16_t h, uint8_t depth, uint8_t descriptor,
              const Bytes& data, const Bytes& map = {}, uint8_t mapBits = 0,
              uint16_t mapFirst = 0) {
    Bytes b{3, uint8_t(map.empty() ? 0 : 1), type};
    le16(b, mapFirst);
    le16(b, uint16_t(mapBits ? map.size() / ((mapBits + 7) / 8) : 0));
    b.push_back(mapBits);
    le32(b, 0);
    le16(b, w);
    le16(b, h);
    b.insert(b.end(), {depth, descriptor, 'i', 'd', '!'});
    append(b, map);
    append(b, data);
    return b;
}

TEST(ImageTga, OriginBitsDecideOrientation) {
    const Bytes bgr{0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};  // red green blue white
    expectPixels(decodeTga(makeTga(2, 2, 2, 24, 0x00, bgr)), 2, 2, {kBlue, kWhite, kRed, kGreen});
    expectPixels(decodeTga(makeTga(2, 2, 2, 24, 0x20, bgr)), 2, 2, {kRed, kGreen, kBlue, kWhite});
    expectPixels(decodeTga(makeTga(2, 2, 2, 24, 0x30, bgr)), 2, 2, {kGreen, kRed, kWhite, kBlue});
}

TEST(ImageTga, PixelFormats) {
    // 32 bits carry alpha.
    expectPixels(decodeTga(makeTga(2, 1, 1, 32, 0x28, {0, 0, 255, 0x40})), 1, 1,
                 {{255, 0, 0, 0x40}});
    // 16 bits: the top bit is alpha only when the descriptor declares one alpha bit.
    expectPixels(decodeTga(makeTga(2, 2, 1, 16, 0x21, {0x00, 0x7C, 0x1F, 0x80})), 2, 1,
                 {{255, 0, 0, 0}, kBlue});
    expectPixels(decodeTga(makeTga(2, 1, 1, 16, 0x20, {0x00, 0x7C})), 1, 1, {kRed});
    // Colour map starting at entry 1; index 0 lies before it.
    expectPixels(decodeTga(makeTga(1, 3, 1, 8, 0x20, {1, 2, 0}, {0, 0, 255, 255, 0, 0}, 24, 1)), 3,
                 1, {kRed, kBlue, kBlack});
    // Grey, and grey with alpha.
    expectPixels(decodeTga(makeTga(3, 1, 1, 8, 0, {90})), 1, 1, {{90, 90, 90, 255}});
    expectPixels(decodeTga(makeTga(3, 1, 1, 16, 0x08, {90, 30})), 1, 1, {{90, 90, 90, 30}});
}

TEST(ImageTga, RunLengthPacketsMayCrossScanLines) {
    // 3 x 2 top-down: a run of 4 red, then 2 raw pixels.
    const Bytes rle{0x83, 0, 0, 255, 0x01, 255, 0, 0, 0, 255, 0};
    const Bytes file = makeTga(10, 3, 2, 24, 0x20, rle);
    expectPixels(decodeTga(file), 3, 2, {kRed, kRed, kRed, kRed, kBlue, kGreen});
    expectPixels(decodeTga(makeTga(11, 2, 1, 8, 0x20, {0x81, 77})), 2, 1,
                 {{77, 77, 77, 255}, {77, 77, 77, 255}});
    expectPixels(decodeTga(makeTga(9, 2, 1, 8, 0x20, {0x81, 0}, {255, 0, 0}, 24)), 2, 1,
                 {kBlue, kBlue});
    expectEveryTruncationFails(decodeTga, file);
    expectCorruptionIsSafe(file);
}

TEST(ImageTga, BrokenFilesFail) {
    const Bytes raw = makeTga(2, 2, 2, 32, 0x28, Bytes(16, 7));
    expectEveryTruncationFails(decodeTga, raw);
    expectCorruptionIsSafe(raw);
    EXPECT_FALSE(decodeTga(makeTga(2, 1, 1, 12, 0, {1, 2})));  // no such depth
    EXPECT_FALSE(decodeTga(makeTga(1, 1, 1, 8, 0, {0})));      // colour-mapped without a map
    EXPECT_FALSE(decodeTga(makeTga(10, 0xFFFF, 0xFFFF, 24, 0, {0xFF, 1, 2, 3})));
}

// ---- PPM and PGM ----

Bytes text(const char* s) { return Bytes(s, s + std::char_traits<char>::length(s)); }

TEST(ImagePpm, SamplesScaleFromAnyMaximum) {
    Bytes p6 = text("P6\n# a comment\n2 1\n255\n");
    append(p6, {255, 0, 0, 0, 0, 255});
    expectPixels(decodePpm(p6), 2, 1, {kRed, kBlue});

    Bytes p5 = text("P5 3 1 15 ");
    append(p5, {15, 5, 20});  // values above the maximum clamp
    expectPixels(decodePpm(p5), 3, 1, {kWhite, {85, 85, 85, 255}, kWhite});

    Bytes wide = text("P5 2 1 65535\n");
    append(wide, {0xFF, 0xFF, 0x33, 0x00});  // most significant byte first
    expectPixels(decodePpm(wide), 2, 1, {kWhite, {51, 51, 51, 255}});

    expectEveryTruncationFails(decodePpm, p6);
    expectCorruptionIsSafe(p6);
}

TEST(ImagePpm, BadHeadersFail) {
    EXPECT_FALSE(decodePpm(text("P5 1 1 0\n\x01")));          // maximum 0
    EXPECT_FALSE(decodePpm(text("P5 1 1 65536\n\x01\x01")));  // maximum too large
    EXPECT_FALSE(decodePpm(text("P5 1 1 255\x01")));          // no whitespace after it
    EXPECT_FALSE(decodePpm(text("P5 99999999999 1 255\n\x01")));
    EXPECT_FALSE(decodePpm(text("P5 40000 40000 255\n\x01")));
    EXPECT_FALSE(decodePpm(text("P3 1 1 255\n1 2 3")));  // plain text variants are not read
}

// ---- DDS ----

constexpr uint32_t kFourCcFlag = 0x4, kRgbFlag = 0x40, kAlphaFlag = 0x1;

Bytes makeDds(uint32_t w, uint32_t h, uint32_t flags, const char* fourCC, uint32_t bits,
              std::array<uint32_t, 4> masks, const Bytes& data) {
    Bytes b = text("DDS ");
    le32(b, 124);
    le32(b, 0x1007);
    le32(b, h);
    le32(b, w);
    for (int i = 0; i < 14; ++i) le32(b, 0);
    le32(b, 32);
    le32(b, flags);
    b.insert(b.end(), fourCC, fourCC + 4);
    le32(b, bits);
    for (uint32_t m : masks) le32(b, m);
    for (int i = 0; i < 5; ++i) le32(b, 0);
    append(b, data);
    return b;
}

TEST(ImageDds, UncompressedMaskFormats) {
    const std::array<uint32_t, 4> argb{0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    expectPixels(decodeDds(makeDds(2, 1, kRgbFlag | kAlphaFlag, "\0\0\0\0", 32, argb,
                                   {0, 0, 255, 0x40, 255, 0, 0, 255})),
                 2, 1, {{255, 0, 0, 0x40}, kBlue});
    // Without the alpha flag the alpha mask means nothing (X8R8G8B8).
    expectPixels(decodeDds(makeDds(1, 1, kRgbFlag, "\0\0\0\0", 32, argb, {0, 255, 0, 0})), 1, 1,
                 {kGreen});
    expectPixels(decodeDds(makeDds(1, 2, kRgbFlag, "\0\0\0\0", 24, {0xFF0000, 0xFF00, 0xFF, 0},
                                   {255, 0, 0, 0, 0, 255})),
                 1, 2, {kBlue, kRed});
}

// A colour block: end points c0, c1 and one 2-bit index per texel, row by row.
Bytes colorBlock(uint16_t c0, uint16_t c1, const std::array<int, 16>& indices) {
    Bytes b;
    le16(b, c0);
    le16(b, c1);
    uint32_t bits = 0;
    for (int i = 0; i < 16; ++i) bits |= uint32_t(indices[size_t(i)]) << (2 * i);
    le32(b, bits);
    return b;
}

TEST(ImageDds, Dxt1FourAndThreeColourBlocks) {
    const std::array<int, 16> ramp{0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3};
    const auto four =
        decodeDds(makeDds(4, 4, kFourCcFlag, "DXT1", 0, {}, colorBlock(0xFFFF, 0, ramp)));
    ASSERT_TRUE(four);
    EXPECT_EQ(at(*four, 0, 3), kWhite);
    EXPECT_EQ(at(*four, 1, 3), kBlack);
    EXPECT_EQ(at(*four, 2, 0), (Px{170, 170, 170, 255}));
    EXPECT_EQ(at(*four, 3, 0), (Px{85, 85, 85, 255}));
    // c0 <= c1: midpoint and transparent black.
    const auto three =
        decodeDds(makeDds(4, 4, kFourCcFlag, "DXT1", 0, {}, colorBlock(0, 0xFFFF, ramp)));
    ASSERT_TRUE(three);
    EXPECT_EQ(at(*three, 2, 1), (Px{128, 128, 128, 255}));
    EXPECT_EQ(at(*three, 3, 1), (Px{0, 0, 0, 0}));
}

TEST(ImageDds, PartialBlocksAtTheEdgesAreClipped) {
    // 5 x 2: two blocks across; the second one's first column is x 4.
    Bytes data = colorBlock(0xF800, 0, {});
    append(data, colorBlock(0x001F, 0, {}));
    expectPixels(decodeDds(makeDds(5, 2, kFourCcFlag, "DXT1", 0, {}, data)), 5, 2,
                 {kRed, kRed, kRed, kRed, kBlue, kRed, kRed, kRed, kRed, kBlue});
}

TEST(ImageDds, Dxt3AndDxt5Alpha) {
    // DXT3: explicit 4-bit alpha, and the colour block never turns transparent.
    Bytes dxt3 = {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE};
    append(dxt3, colorBlock(0, 0xFFFF, {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}));
    const auto explicitAlpha = decodeDds(makeDds(4, 4, kFourCcFlag, "DXT3", 0, {}, dxt3));
    ASSERT_TRUE(explicitAlpha);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(at(*explicitAlpha, i % 4, i / 4), (Px{170, 170, 170, uint8_t(i * 17)}));
    }
    // DXT5: texels take alpha indices 0..7 in turn. Eight-value mode for a0 > a1, six values
    // plus 0 and 255 otherwise.
    auto dxt5 = [](uint8_t a0, uint8_t a1) {
        Bytes b{a0, a1};
        uint64_t bits = 0;
        for (int i = 0; i < 16; ++i) bits |= uint64_t(i % 8) << (3 * i);
        for (int i = 0; i < 6; ++i) b.push_back(uint8_t(bits >> (8 * i)));
        append(b, colorBlock(0xFFFF, 0xFFFF, {}));
        return decodeDds(makeDds(4, 4, kFourCcFlag, "DXT5", 0, {}, b));
    };
    const auto eight = dxt5(70, 0);
    const auto six = dxt5(0, 50);
    ASSERT_TRUE(eight && six);
    const std::array<uint8_t, 8> eightAlphas{70, 0, 60, 50, 40, 30, 20, 10};
    const std::array<uint8_t, 8> sixAlphas{0, 50, 10, 20, 30, 40, 0, 255};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(at(*eight, i % 4, i / 4)[3], eightAlphas[size_t(i % 8)]) << i;
        EXPECT_EQ(at(*six, i % 4, i / 4)[3], sixAlphas[size_t(i % 8)]) << i;
    }
}

TEST(ImageDds, BrokenFilesFail) {
    const Bytes dxt1 = makeDds(8, 4, kFourCcFlag, "DXT1", 0, {}, Bytes(16, 0x5A));
    expectEveryTruncationFails(decodeDds, dxt1);
    expectCorruptionIsSafe(dxt1);
    const Bytes rgb =
        makeDds(2, 2, kRgbFlag, "\0\0\0\0", 24, {0xFF, 0xFF00, 0xFF0000, 0}, Bytes(12, 1));
    expectEveryTruncationFails(decodeDds, rgb);
    EXPECT_FALSE(decodeDds(makeDds(4, 4, kFourCcFlag, "ATI2", 0, {}, Bytes(16, 0))));
    EXPECT_FALSE(decodeDds(makeDds(40000, 4, kFourCcFlag, "DXT1", 0, {}, Bytes(16, 0))));
}

// ---- format detection ----

TEST(ImageSniffing, DecodeImageRecognisesEveryFormat) {
    EXPECT_EQ(sniffImageFormat(makeBmpFile(kBmp24)), ImageFormat::Bmp);
    EXPECT_EQ(sniffImageFormat(makeDib(kBmp24)), ImageFormat::Dib);
    EXPECT_EQ(sniffImageFormat(makePng(1, 1, 8, 0, {0, 0})), ImageFormat::Png);
    EXPECT_EQ(sniffImageFormat(makeJpeg(8, 8, true, [](int, int) { return kBlack; })),
              ImageFormat::Jpeg);
    EXPECT_EQ(sniffImageFormat(makeTga(2, 1, 1, 24, 0, {1, 2, 3})), ImageFormat::Tga);
    EXPECT_EQ(sniffImageFormat(text("P6 1 1 255\n...")), ImageFormat::Ppm);
    EXPECT_EQ(sniffImageFormat(makeDds(4, 4, kFourCcFlag, "DXT1", 0, {}, Bytes(8))),
              ImageFormat::Dds);
    EXPECT_EQ(sniffImageFormat(text("GIF89a....")), ImageFormat::Unknown);
    EXPECT_FALSE(decodeImage(text("GIF89a\x01\x00\x01\x00")));
    EXPECT_FALSE(decodeImage({}));

    // A headerless DIB read as a file keeps its alpha, unlike a resource bitmap.
    Dib alpha{1, 1, 32, 0, 40, 0, {}, {}, {0, 0, 255, 0x10}};
    expectPixels(decodeImage(makeDib(alpha)), 1, 1, {{255, 0, 0, 0x10}});
    expectPixels(decodeImage(makeTga(2, 1, 1, 24, 0x20, {0, 255, 0})), 1, 1, {kGreen});
}

TEST(ImageSniffing, RandomBytesNeverCrash) {
    std::mt19937 random(99);
    const std::vector<Bytes> prefixes{{},
                                      text("BM"),
                                      text("DDS "),
                                      text("P6"),
                                      {0xFF, 0xD8, 0xFF},
                                      {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'},
                                      {40, 0, 0, 0},
                                      {0, 0, 10}};
    for (const Bytes& prefix : prefixes) {
        for (int round = 0; round < 200; ++round) {
            Bytes b = prefix;
            const size_t n = random() % 300;
            for (size_t i = 0; i < n; ++i) b.push_back(uint8_t(random()));
            if (const auto image = decodeImage(b)) {
                EXPECT_EQ(image->rgba.size(), size_t(image->width) * image->height * 4);
            }
        }
    }
}

TEST(ImageFile, ReadsFromDiskAndFailsOnMissingFiles) {
    const auto path = std::filesystem::temp_directory_path() / "darts_image_test.bmp";
    {
        const Bytes file = makeBmpFile(kBmp24);
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    }
    expectPixels(decodeImageFile(path), 2, 2, {kRed, kGreen, kBlue, kWhite});
    std::filesystem::remove(path);
    EXPECT_FALSE(decodeImageFile(path));
    EXPECT_FALSE(decodeImageFile(std::filesystem::temp_directory_path()));
}

}  // namespace
}  // namespace darts::gfx
