// The icon and cursor decoder on the game's own cursor and icon, and on small files built here
// picture by picture: every bit depth with its AND mask, alpha that overrides the mask, PNG
// pictures, the choice among sizes, and files that are cut short or lie about their contents.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "gfx/cursor_icon.h"
#include "gfx/png_writer.h"
#include "gfx/resources.h"

namespace darts::gfx {
namespace {

using Bytes = std::vector<uint8_t>;
using Px = std::array<uint8_t, 4>;

void le16(Bytes& b, uint32_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void le32(Bytes& b, uint32_t v) {
    b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}
void put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

Px at(const Image& image, int x, int y) {
    const size_t i = (static_cast<size_t>(y) * image.width + x) * 4;
    return {image.rgba[i], image.rgba[i + 1], image.rgba[i + 2], image.rgba[i + 3]};
}

// A picture to store: colours (or palette indices) and mask bits, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    int bits = 32;
    std::vector<Px> palette;        // for 1, 4 and 8 bits
    std::vector<uint32_t> pixels;   // palette index, or 0xAARRGGBB for 24 and 32 bits
    std::vector<bool> transparent;  // the AND mask
    bool fullPalette = true;        // false: only the colours used, as "colours used" says
};

// The picture as an icon DIB: BITMAPINFOHEADER with doubled height, palette, colour rows and mask
// rows, both bottom-up and padded to four bytes.
Bytes iconDib(const Picture& p) {
    Bytes b;
    le32(b, 40);
    le32(b, static_cast<uint32_t>(p.width));
    le32(b, static_cast<uint32_t>(2 * p.height));
    le16(b, 1);
    le16(b, static_cast<uint32_t>(p.bits));
    for (int i = 0; i < 4; ++i) le32(b, 0);  // BI_RGB, image size, resolution
    le32(b, p.fullPalette || p.bits > 8 ? 0 : static_cast<uint32_t>(p.palette.size()));
    le32(b, 0);
    if (p.bits <= 8) {
        for (const Px& c : p.palette) b.insert(b.end(), {c[2], c[1], c[0], 0});
        if (p.fullPalette) b.resize(b.size() + ((size_t{1} << p.bits) - p.palette.size()) * 4, 0);
    }

    const size_t colourStride = (static_cast<size_t>(p.width) * p.bits + 31) / 32 * 4;
    for (int y = p.height - 1; y >= 0; --y) {
        Bytes row(colourStride, 0);
        for (int x = 0; x < p.width; ++x) {
            const uint32_t v = p.pixels[static_cast<size_t>(y * p.width + x)];
            if (p.bits <= 8) {
                const int bit = x * p.bits;
                row[bit / 8] |= uint8_t(v << (8 - p.bits - bit % 8));
            } else {
                const size_t n = static_cast<size_t>(p.bits / 8);
                for (size_t i = 0; i < n; ++i) row[x * n + i] = uint8_t(v >> (8 * i));
            }
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    const size_t maskStride = (static_cast<size_t>(p.width) + 31) / 32 * 4;
    for (int y = p.height - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < p.width; ++x) {
            if (p.transparent[static_cast<size_t>(y * p.width + x)]) row[x / 8] |= 0x80 >> (x % 8);
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

struct Entry {
    int width = 0;  // as the directory states it
    int height = 0;
    int field4 = 0;  // planes or hot spot x
    int field6 = 0;  // bits or hot spot y
    Bytes picture;
};

Bytes iconFile(uint16_t type, const std::vector<Entry>& entries) {
    Bytes b;
    le16(b, 0);
    le16(b, type);
    le16(b, static_cast<uint32_t>(entries.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * entries.size());
    for (const Entry& e : entries) {
        b.insert(b.end(), {uint8_t(e.width), uint8_t(e.height), 0, 0});
        le16(b, static_cast<uint32_t>(e.field4));
        le16(b, static_cast<uint32_t>(e.field6));
        le32(b, static_cast<uint32_t>(e.picture.size()));
        le32(b, offset);
        offset += static_cast<uint32_t>(e.picture.size());
    }
    for (const Entry& e : entries) b.insert(b.end(), e.picture.begin(), e.picture.end());
    return b;
}

Bytes icoOf(const Picture& p) { return iconFile(1, {{p.width, p.height, 1, p.bits, iconDib(p)}}); }

// A square picture of one colour that tells its size and depth: red = size, green = bits.
Picture plainSquare(int size, int bits) {
    Picture p{size, size, bits, {{0, 0, 0, 255}, {uint8_t(size), uint8_t(bits), 0, 255}},
              {},   {},   true};
    p.pixels.assign(static_cast<size_t>(size * size),
                    bits <= 8 ? 1u : uint32_t(size & 0xFF) << 16 | uint32_t(bits) << 8);
    p.transparent.assign(static_cast<size_t>(size * size), false);
    return p;
}

// 3 x 2 (an odd width, so rows need padding) with the top-right pixel masked out.
Picture threeByTwo(int bits) {
    Picture p;
    p.width = 3;
    p.height = 2;
    p.bits = bits;
    p.transparent = {false, false, true, false, false, false};
    if (bits <= 8) {
        p.palette = {{10, 20, 30, 255}, {200, 100, 50, 255}};
        p.pixels = {1, 0, 1, 0, 1, 0};
    } else {
        p.pixels = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00102030, 0x00405060, 0x00708090};
    }
    return p;
}

TEST(CursorIcon, GameCursorIsTheDartPointingFromItsTopLeftPixel) {
    const auto cursor = loadCursorResource("IDC_CURSOR1");
    ASSERT_TRUE(cursor);
    ASSERT_EQ(cursor->image.width, 32);
    ASSERT_EQ(cursor->image.height, 32);
    EXPECT_EQ(cursor->hotSpotX, 0);
    EXPECT_EQ(cursor->hotSpotY, 0);
    EXPECT_GE(at(cursor->image, 0, 0)[3], 128);
    EXPECT_EQ(at(cursor->image, 31, 0)[3], 0);
    EXPECT_EQ(at(cursor->image, 0, 31)[3], 0);

    // The file's AND mask marks exactly the pixels that come out clear.
    const auto file = findResource("IDC_CURSOR1", ".cur");
    ASSERT_TRUE(file);
    const size_t maskStart = 22 + 40 + 32 * 32 * 4;
    ASSERT_EQ(file->size(), maskStart + 32 * 4);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool masked = ((*file)[maskStart + (31 - y) * 4 + x / 8] >> (7 - x % 8)) & 1;
            EXPECT_EQ(at(cursor->image, x, y)[3] == 0, masked) << x << "," << y;
        }
    }
}

TEST(CursorIcon, GameIconComesInBothSizesWithClearCorners) {
    for (int size : {32, 16}) {
        SCOPED_TRACE(size);
        const auto icon = loadIconResource("IDI_ICON1", size);
        ASSERT_TRUE(icon);
        ASSERT_EQ(icon->width, size);
        ASSERT_EQ(icon->height, size);
        EXPECT_EQ(at(*icon, size / 2, size / 2)[3], 255);
        for (auto [x, y] : {std::pair{0, 0}, std::pair{size - 1, 0}, std::pair{0, size - 1},
                            std::pair{size - 1, size - 1}}) {
            EXPECT_EQ(at(*icon, x, y)[3], 0) << x << "," << y;
        }
    }
    EXPECT_FALSE(loadIconResource("IDC_CURSOR1"));  // a cursor is no icon
    EXPECT_FALSE(loadCursorResource("IDI_ICON1"));
    EXPECT_FALSE(loadIconResource("no such icon"));
}

TEST(CursorIcon, EveryBitDepthDecodesWithTheMaskAsTransparency) {
    for (int bits : {1, 4, 8}) {
        SCOPED_TRACE(bits);
        const auto image = decodeIcon(icoOf(threeByTwo(bits)));
        ASSERT_TRUE(image);
        ASSERT_EQ(image->width, 3);
        ASSERT_EQ(image->height, 2);
        EXPECT_EQ(at(*image, 0, 0), (Px{200, 100, 50, 255}));
        EXPECT_EQ(at(*image, 1, 0), (Px{10, 20, 30, 255}));
        EXPECT_EQ(at(*image, 2, 0), (Px{0, 0, 0, 0}));
        EXPECT_EQ(at(*image, 0, 1), (Px{10, 20, 30, 255}));
        EXPECT_EQ(at(*image, 1, 1), (Px{200, 100, 50, 255}));
        EXPECT_EQ(at(*image, 2, 1), (Px{10, 20, 30, 255}));
    }
    // A palette of only the colours used moves the pixels up behind it.
    Picture shortPalette = threeByTwo(8);
    shortPalette.fullPalette = false;
    const auto compact = decodeIcon(icoOf(shortPalette));
    ASSERT_TRUE(compact);
    EXPECT_EQ(at(*compact, 0, 0), (Px{200, 100, 50, 255}));
    EXPECT_EQ(at(*compact, 2, 0), (Px{0, 0, 0, 0}));
    EXPECT_EQ(at(*compact, 2, 1), (Px{10, 20, 30, 255}));
    // 32 bits whose fourth bytes are all zero rely on the mask like the others.
    for (int bits : {24, 32}) {
        SCOPED_TRACE(bits);
        const auto image = decodeIcon(icoOf(threeByTwo(bits)));
        ASSERT_TRUE(image);
        EXPECT_EQ(at(*image, 0, 0), (Px{255, 0, 0, 255}));
        EXPECT_EQ(at(*image, 1, 0), (Px{0, 255, 0, 255}));
        EXPECT_EQ(at(*image, 2, 0), (Px{0, 0, 0, 0}));
        EXPECT_EQ(at(*image, 0, 1), (Px{0x10, 0x20, 0x30, 255}));
        EXPECT_EQ(at(*image, 2, 1), (Px{0x70, 0x80, 0x90, 255}));
    }
}

TEST(CursorIcon, AlphaOfA32BitPictureWinsOverItsMask) {
    Picture p = threeByTwo(32);
    p.pixels = {0x80FF0000, 0xFF00FF00, 0x00000000, 0xFF102030, 0xFF405060, 0x40708090};
    p.transparent = {true, false, true, false, false, false};  // masks a half-clear edge pixel
    const auto image = decodeIcon(icoOf(p));
    ASSERT_TRUE(image);
    EXPECT_EQ(at(*image, 0, 0), (Px{255, 0, 0, 128}));
    EXPECT_EQ(at(*image, 1, 0), (Px{0, 255, 0, 255}));
    EXPECT_EQ(at(*image, 2, 0)[3], 0);
    EXPECT_EQ(at(*image, 2, 1), (Px{0x70, 0x80, 0x90, 0x40}));
}

TEST(CursorIcon, PngPicturesDecodeWithTheirOwnAlpha) {
    const Image source{2, 1, {1, 2, 3, 4, 250, 251, 252, 253}};
    const auto png = encodePng(source);
    ASSERT_TRUE(png);
    const auto icon = decodeIcon(iconFile(1, {{2, 1, 1, 32, *png}}));
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->rgba, source.rgba);

    const auto cursor = decodeCursor(iconFile(2, {{2, 1, 1, 0, *png}}));
    ASSERT_TRUE(cursor);
    EXPECT_EQ(cursor->image.rgba, source.rgba);
    EXPECT_EQ(cursor->hotSpotX, 1);
    EXPECT_EQ(cursor->hotSpotY, 0);

    Bytes broken = *png;
    broken.resize(broken.size() - 20);
    EXPECT_FALSE(decodeIcon(iconFile(1, {{2, 1, 1, 32, broken}})));
}

TEST(CursorIcon, ThePictureNearestTheWantedSizeIsChosen) {
    std::vector<Entry> entries;
    for (int size : {16, 48, 32}) {
        entries.push_back({size, size, 1, 8, iconDib(plainSquare(size, 8))});
    }
    const Bytes file = iconFile(1, entries);
    auto sizeFor = [&](int wanted) {
        const auto image = decodeIcon(file, wanted);
        return image ? image->width : -1;
    };
    EXPECT_EQ(sizeFor(16), 16);
    EXPECT_EQ(sizeFor(1), 16);
    EXPECT_EQ(sizeFor(30), 32);
    EXPECT_EQ(sizeFor(32), 32);
    EXPECT_EQ(sizeFor(40), 48);  // as near as 32: the larger wins
    EXPECT_EQ(sizeFor(200), 48);

    // A directory size of 0 stands for 256.
    const Bytes large = iconFile(1, {{16, 16, 1, 1, iconDib(plainSquare(16, 1))},
                                     {0, 0, 1, 1, iconDib(plainSquare(256, 1))}});
    const auto image = decodeIcon(large, 256);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 256);

    // Of two pictures of one size the one with more colours; cursors have no depth to compare.
    const Bytes depths = iconFile(1, {{16, 16, 1, 4, iconDib(plainSquare(16, 4))},
                                      {16, 16, 1, 24, iconDib(plainSquare(16, 24))},
                                      {16, 16, 1, 8, iconDib(plainSquare(16, 8))}});
    const auto deepest = decodeIcon(depths, 16);
    ASSERT_TRUE(deepest);
    EXPECT_EQ(at(*deepest, 0, 0), (Px{16, 24, 0, 255}));
}

TEST(CursorIcon, HotSpotComesFromTheChosenEntryAndStaysOnThePicture) {
    const Bytes file = iconFile(2, {{16, 16, 3, 5, iconDib(plainSquare(16, 1))},
                                    {32, 32, 7, 9, iconDib(plainSquare(32, 1))}});
    const auto small = decodeCursor(file, 16);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->hotSpotX, 3);
    EXPECT_EQ(small->hotSpotY, 5);
    const auto large = decodeCursor(file, 32);
    ASSERT_TRUE(large);
    EXPECT_EQ(large->hotSpotX, 7);
    EXPECT_EQ(large->hotSpotY, 9);

    const auto outside = decodeCursor(iconFile(2, {{4, 4, 60000, 4, iconDib(plainSquare(4, 1))}}));
    ASSERT_TRUE(outside);
    EXPECT_EQ(outside->hotSpotX, 3);
    EXPECT_EQ(outside->hotSpotY, 3);
}

TEST(CursorIcon, FilesCutShortFailAtEveryLength) {
    for (const char* name : {"IDC_CURSOR1", "IDI_ICON1"}) {
        SCOPED_TRACE(name);
        const bool cursor = name[2] == 'C';
        const auto file = cursor ? findResource(name, ".cur") : findResource(name, ".ico");
        ASSERT_TRUE(file);
        for (size_t length = 0; length < file->size(); ++length) {
            const Bytes cut(file->begin(), file->begin() + static_cast<ptrdiff_t>(length));
            const bool any = cursor ? decodeCursor(cut).has_value()
                                    : decodeIcon(cut, 32).has_value() || decodeIcon(cut, 16);
            ASSERT_FALSE(any) << "cut at " << length;
        }
    }
}

TEST(CursorIcon, DirectoriesThatLieAreRefused) {
    const Bytes good = icoOf(threeByTwo(8));
    ASSERT_TRUE(decodeIcon(good));
    auto with = [&](size_t at, uint32_t value, int width) {
        Bytes b = good;
        if (width == 2) {
            b[at] = uint8_t(value);
            b[at + 1] = uint8_t(value >> 8);
        } else {
            put32(b, at, value);
        }
        return b;
    };
    EXPECT_FALSE(decodeIcon(with(0, 1, 2)));            // reserved word set
    EXPECT_FALSE(decodeIcon(with(2, 2, 2)));            // a cursor's type
    EXPECT_FALSE(decodeCursor(good));                   // likewise, from the other side
    EXPECT_FALSE(decodeIcon(with(2, 3, 2)));            // no such type
    EXPECT_FALSE(decodeIcon(with(4, 0, 2)));            // no pictures
    EXPECT_FALSE(decodeIcon(with(4, 2, 2)));            // more pictures than the directory holds
    EXPECT_FALSE(decodeIcon(with(4, 0xFFFF, 2)));       // many more
    EXPECT_FALSE(decodeIcon(with(14, 0xFFFFFFFF, 4)));  // size past the end
    EXPECT_FALSE(decodeIcon(with(18, 0xFFFFFFF0, 4)));  // offset past the end
    EXPECT_FALSE(decodeIcon(with(18, 0, 4)));           // the picture is the directory itself
}

TEST(CursorIcon, PictureHeadersThatLieAreRefused) {
    const Bytes good = icoOf(threeByTwo(8));
    const size_t dib = 22;
    auto with = [&](size_t field, uint32_t value, bool word = false, const Bytes* base = nullptr) {
        Bytes b = base ? *base : good;
        if (word) {
            b[dib + field] = uint8_t(value);
            b[dib + field + 1] = uint8_t(value >> 8);
        } else {
            put32(b, dib + field, value);
        }
        return b;
    };
    EXPECT_FALSE(decodeIcon(with(0, 12)));            // a core header
    EXPECT_FALSE(decodeIcon(with(0, 0xFFFFFFF0)));    // a header larger than the picture
    EXPECT_FALSE(decodeIcon(with(4, 0)));             // no width
    EXPECT_FALSE(decodeIcon(with(4, 0x80000000)));    // negative width
    EXPECT_FALSE(decodeIcon(with(4, 100000)));        // a width the data cannot hold
    EXPECT_FALSE(decodeIcon(with(8, 3)));             // an odd doubled height
    EXPECT_FALSE(decodeIcon(with(8, uint32_t(-4))));  // top-down
    EXPECT_FALSE(decodeIcon(with(8, 0)));             // no height
    EXPECT_FALSE(decodeIcon(with(8, 0x7FFFFFFE)));    // a height the data cannot hold
    EXPECT_FALSE(decodeIcon(with(14, 7, true)));      // no such depth
    const Bytes oneBit = icoOf(threeByTwo(1));
    EXPECT_FALSE(decodeIcon(with(14, 32, true, &oneBit)));  // too deep for the data
    EXPECT_FALSE(decodeIcon(with(16, 1)));                  // run-length compressed
    EXPECT_FALSE(decodeIcon(with(32, 257)));                // more colours than 8 bits index
    const Bytes trueColour = icoOf(threeByTwo(24));
    EXPECT_FALSE(decodeIcon(with(32, 0xFFFFFFFF, false, &trueColour)));  // a palette past the end
}

TEST(CursorIcon, CorruptedFilesDecodeOrFailCleanly) {
    // Random damage to the game's files, each byte of the directory and headers hit in turn;
    // whatever comes out must be a whole image with a hot spot on it.
    std::mt19937 random(1234);
    for (const char* name : {"IDC_CURSOR1", "IDI_ICON1"}) {
        const bool cursor = name[2] == 'C';
        const auto file = cursor ? findResource(name, ".cur") : findResource(name, ".ico");
        ASSERT_TRUE(file);
        for (size_t at = 0; at < 100; ++at) {
            for (int trial = 0; trial < 8; ++trial) {
                Bytes b(file->begin(), file->end());
                b[at] = uint8_t(random());
                b[random() % b.size()] = uint8_t(random());
                if (cursor) {
                    if (const auto c = decodeCursor(b)) {
                        ASSERT_EQ(c->image.rgba.size(),
                                  size_t(c->image.width) * c->image.height * 4);
                        ASSERT_LT(c->hotSpotX, c->image.width);
                        ASSERT_LT(c->hotSpotY, c->image.height);
                    }
                } else if (const auto i = decodeIcon(b, int(random() % 64))) {
                    ASSERT_EQ(i->rgba.size(), size_t(i->width) * i->height * 4);
                }
            }
        }
    }
}

}  // namespace
}  // namespace darts::gfx
