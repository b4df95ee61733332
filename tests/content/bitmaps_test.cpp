// The game's own bitmaps, cursor and icon as the executable embeds them (resources/): every
// picture the screens and the HUD draw is there with its size and depth, decodes with the game's
// loader, and says what the game expects of it: the title's menu labels sit in the hover bands,
// the reference board matches the scoring, the portraits show eight different people.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "gfx/image.h"
#include "gfx/resources.h"
#include "match/scoring.h"

namespace darts::gfx {
namespace {

uint32_t le32(std::span<const uint8_t> b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}
uint16_t le16(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

struct RGB {
    int r, g, b;
    int luma() const { return (r * 3 + g * 6 + b) / 10; }
};

RGB pixel(const Image& image, int x, int y) {
    const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
    return {p[0], p[1], p[2]};
}

Image load(const std::string& name) {
    const auto image = loadBitmapResource(name);
    if (!image) ADD_FAILURE() << name << " does not load";
    return image.value_or(Image{});
}

struct ExpectedBitmap {
    std::string name;
    int width, height, bits;
};

std::vector<ExpectedBitmap> expectedBitmaps() {
    std::vector<ExpectedBitmap> list = {
        {"POINTTABLE", 405, 69, 24},
        {"GAGE", 220, 98, 24},
        {"compare_board", 256, 255, 24},
        {"start", 746, 562, 8},
        {"IDB_CHSET", 746, 562, 24},
        {"IDB_BK", 358, 261, 24},
        {"SHOT", 237, 140, 24},
        {"NAME_BK", 322, 53, 24},
        {"UP", 81, 26, 24},
        {"DOWN", 81, 26, 24},
        {"L_UP", 40, 35, 24},
        {"L_DOWN", 40, 35, 24},
        {"R_UP", 40, 35, 24},
        {"R_DOWN", 40, 35, 24},
        // The English variants of the pictures with words: the same sizes and depths.
        {"start_en", 746, 562, 8},
        {"SHOT_en", 237, 140, 24},
    };
    for (int n = 1; n <= 8; ++n) list.push_back({"C" + std::to_string(n), 242, 280, 24});
    for (int n = 1; n <= 6; ++n) list.push_back({"AW_" + std::to_string(n), 512, 96, 24});
    list.push_back({"AW_CARD", 600, 440, 24});
    // The settings screen's plate, arrows and button face.
    list.push_back({"SET_PLATE", 600, 480, 24});
    list.push_back({"SET_LESS", 28, 24, 24});
    list.push_back({"SET_MORE", 28, 24, 24});
    list.push_back({"SET_BUTTON", 120, 34, 24});
    // The game-select screen's plate.
    list.push_back({"GS_PLATE", 768, 576, 24});
    return list;
}

TEST(GameBitmaps, EveryBitmapIsEmbeddedWithItsSizeAndDepthAndDecodes) {
    for (const ExpectedBitmap& expected : expectedBitmaps()) {
        SCOPED_TRACE(expected.name);
        const auto dib = findBitmapResource(expected.name);
        ASSERT_TRUE(dib);
        ASSERT_GE(dib->size(), 40u);
        EXPECT_EQ(le32(*dib, 0), 40u);  // BITMAPINFOHEADER, readable by every loader
        EXPECT_EQ(int32_t(le32(*dib, 4)), expected.width);
        EXPECT_EQ(std::abs(int32_t(le32(*dib, 8))), expected.height);
        EXPECT_EQ(le16(*dib, 14), expected.bits);
        EXPECT_EQ(le32(*dib, 16), 0u);  // uncompressed

        const Image image = load(expected.name);
        EXPECT_EQ(image.width, expected.width);
        EXPECT_EQ(image.height, expected.height);
        // The same picture through the resource's own DIB, as a GDI blit would read it.
        const auto fromDib = decodeDib(*dib);
        ASSERT_TRUE(fromDib);
        EXPECT_EQ(fromDib->rgba, image.rgba);
    }
}

TEST(GameBitmaps, NamesAreFoundWhateverTheirCase) {
    // The asset loader asks for "compare_board" and "start"; other callers may spell them in
    // capitals as resource scripts do.
    for (const char* name : {"COMPARE_BOARD", "Start", "pointtable", "c1", "idb_chset"}) {
        EXPECT_TRUE(findBitmapResource(name)) << name;
    }
}

TEST(GameBitmaps, TitleIsAnEightBitPicture) {
    const auto dib = findBitmapResource("start");
    ASSERT_TRUE(dib);
    ASSERT_EQ(le16(*dib, 14), 8);
    const uint32_t coloursUsed = le32(*dib, 32);
    EXPECT_GT(coloursUsed, 64u);  // a real palette, not a grey ramp
    EXPECT_LE(coloursUsed, 256u);
    const Image title = load("start");
    std::set<uint32_t> colours;
    for (size_t i = 0; i + 3 < title.rgba.size(); i += 4) {
        colours.insert(title.rgba[i] << 16 | title.rgba[i + 1] << 8 | title.rgba[i + 2]);
    }
    EXPECT_LE(colours.size(), coloursUsed);
    EXPECT_GT(colours.size(), 64u);
}

// The title is stretched from 746 x 562 to the 800 x 600 screen; the menu reacts to the cursor
// strictly inside x 260..500 and y 410..450, 450..490, 490..530.
// Both languages' titles share the hover bands.
TEST(GameBitmaps, EachMenuLabelIsPaintedInsideItsOwnHoverBand) {
    for (const char* name : {"start", "start_en"}) {
        SCOPED_TRACE(name);
        const Image title = load(name);
        ASSERT_EQ(title.width, 746);
        const double toScreenX = 800.0 / 746.0, toScreenY = 600.0 / 562.0;
        std::array<int, 3> letteringPixels{}, outlinePixels{};
        // Near-white lettering anywhere round the menu board must fall inside a band.
        for (int y = 370; y < 512; ++y) {
            for (int x = 200; x < 520; ++x) {
                const RGB p = pixel(title, x, y);
                const double sx = (x + 0.5) * toScreenX, sy = (y + 0.5) * toScreenY;
                const int band = static_cast<int>(std::floor((sy - 410) / 40));
                const bool inside = band >= 0 && band < 3 && sx > 260 && sx < 500;
                if (p.r >= 225 && p.g >= 225 && p.b >= 200) {
                    ASSERT_TRUE(inside) << "lettering at " << x << "," << y << " (screen " << sx
                                        << "," << sy << ")";
                    // Clear of the band's edges, where the item under the cursor changes.
                    const double intoBand = sy - (410 + 40 * band);
                    EXPECT_GT(intoBand, 2.0) << x << "," << y;
                    EXPECT_LT(intoBand, 38.0) << x << "," << y;
                    ++letteringPixels[band];
                } else if (inside && p.luma() < 40) {
                    ++outlinePixels[band];
                }
            }
        }
        for (int band = 0; band < 3; ++band) {
            EXPECT_GT(letteringPixels[band], 400) << "no label in band " << band;
            EXPECT_GT(outlinePixels[band], 400) << "no contrast in band " << band;
        }
    }
}

// The reference board is the dartboard the match scores: centre at 128, 127.5 in the picture
// and the double ring's outer edge 100 pixels out.
TEST(GameBitmaps, ReferenceBoardAgreesWithTheScoringRingsAndSectors) {
    const Image board = load("compare_board");
    ASSERT_EQ(board.width, 256);
    constexpr double kCentreX = 128.0, kCentreY = 127.5;
    constexpr double kPixelsPerUnit = 100.0 / kBoardEdge;
    const std::array<int, 20> clockwise = {20, 1,  18, 4,  13, 6,  10, 15, 2,  17,
                                           3,  19, 7,  16, 8,  11, 14, 9,  12, 5};
    auto darkSector = [&](int number) {
        for (int k = 0; k < 20; ++k) {
            if (clockwise[k] == number) return k % 2 == 0;
        }
        return false;
    };
    const double edges[] = {kInnerBullEdge, kOuterBullEdge, kTripleInner,
                            kTripleOuter,   kDoubleInner,   kBoardEdge};
    int checked = 0;
    for (int y = 0; y < board.height; ++y) {
        for (int x = 0; x < board.width; ++x) {
            const double dx = x + 0.5 - kCentreX, dy = y + 0.5 - kCentreY;
            const double r = std::hypot(dx, dy);
            if (r > 99.0) continue;  // the number ring is artwork, not scored
            bool nearEdge = false;
            for (double edge : edges) nearEdge |= std::abs(r - edge * kPixelsPerUnit) < 2.0;
            const double angle = std::atan2(dx, -dy);
            for (int j = 0; j < 10 && r > 8; ++j) {
                const double boundary = (2 * j + 1) * 0.157;
                nearEdge |= r * std::abs(std::abs(angle) - boundary) < 2.0;
            }
            if (nearEdge) continue;
            const LandingGeometry landing =
                landingGeometry(float(kBoardCentreX + dx / kPixelsPerUnit),
                                float(kBoardCentreY - dy / kPixelsPerUnit));
            const Ring ring = ringOf(landing.radius);
            const bool dark = darkSector(sectorNumber(landing.sectorIndex));
            const RGB p = pixel(board, x, y);
            const bool red = p.r > 150 && p.g < 90 && p.b < 90;
            const bool green = p.g > 100 && p.r < 80 && p.b < 120;
            const bool black = p.r < 70 && p.g < 70 && p.b < 70;
            const bool cream = p.r > 200 && p.g > 190 && p.b > 150;
            bool expected = false;
            switch (ring) {
                case Ring::InnerBull:
                    expected = red;
                    break;
                case Ring::OuterBull:
                    expected = green;
                    break;
                case Ring::Single:
                    expected = dark ? black : cream;
                    break;
                case Ring::Triple:
                case Ring::Double:
                    expected = dark ? red : green;
                    break;
                case Ring::Miss:
                    continue;
            }
            ASSERT_TRUE(expected) << "pixel " << x << "," << y << " sector "
                                  << sectorNumber(landing.sectorIndex) << " ring "
                                  << static_cast<int>(ring) << " is " << p.r << "," << p.g << ","
                                  << p.b;
            ++checked;
        }
    }
    EXPECT_GT(checked, 15000);
}

TEST(GameBitmaps, EveryRosterCharacterHasItsOwnPortrait) {
    // Records of 60 bytes; the portrait's resource name is in bytes 14..16.
    std::ifstream roster("data/pcdata.kpd", std::ios::binary);
    ASSERT_TRUE(roster) << "run from the top of the repository";
    const std::string bytes((std::istreambuf_iterator<char>(roster)), {});
    ASSERT_EQ(bytes.size(), 8u * 60u);
    std::vector<Image> portraits;
    for (int record = 0; record < 8; ++record) {
        std::string name = bytes.substr(record * 60 + 14, 3);
        name.erase(name.find_last_not_of(' ') + 1);
        const Image portrait = load(name);
        ASSERT_EQ(portrait.width, 242) << name;
        std::set<uint32_t> colours;
        for (size_t i = 0; i + 3 < portrait.rgba.size(); i += 4) {
            colours.insert(portrait.rgba[i] << 16 | portrait.rgba[i + 1] << 8 |
                           portrait.rgba[i + 2]);
        }
        EXPECT_GT(colours.size(), 2000u) << name << " looks like a placeholder";
        portraits.push_back(portrait);
    }
    // Different people: their faces (the middle of the picture) differ clearly, pair by pair.
    for (size_t a = 0; a < portraits.size(); ++a) {
        for (size_t b = a + 1; b < portraits.size(); ++b) {
            double difference = 0;
            int count = 0;
            for (int y = 60; y < 200; ++y) {
                for (int x = 70; x < 172; ++x) {
                    const RGB p = pixel(portraits[a], x, y), q = pixel(portraits[b], x, y);
                    difference += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
                    ++count;
                }
            }
            EXPECT_GT(difference / (3.0 * count), 12.0) << "C" << a + 1 << " and C" << b + 1;
        }
    }
}

// One picture of an .ico or .cur file, checked against its directory entry.
struct IconEntry {
    int width, height, hotSpotX, hotSpotY;
    std::span<const uint8_t> dib;
};

std::vector<IconEntry> readIconDirectory(std::span<const uint8_t> file, uint16_t type) {
    std::vector<IconEntry> entries;
    if (file.size() < 6 || le16(file, 0) != 0 || le16(file, 2) != type) {
        ADD_FAILURE() << "not an icon directory of type " << type;
        return entries;
    }
    const int count = le16(file, 4);
    if (file.size() < 6u + 16u * count) {
        ADD_FAILURE() << "directory truncated";
        return entries;
    }
    for (int i = 0; i < count; ++i) {
        const size_t at = 6 + 16 * i;
        const uint32_t bytes = le32(file, at + 8), offset = le32(file, at + 12);
        if (offset > file.size() || bytes > file.size() - offset) {
            ADD_FAILURE() << "picture " << i << " outside the file";
            return {};
        }
        entries.push_back({file[at] == 0 ? 256 : file[at], file[at + 1] == 0 ? 256 : file[at + 1],
                           le16(file, at + 4), le16(file, at + 6), file.subspan(offset, bytes)});
    }
    return entries;
}

// Alpha of pixel (x, y), top row 0, of a 32-bit icon DIB; and whether its mask bit is set.
std::pair<int, bool> iconPixel(const IconEntry& entry, int x, int y) {
    const size_t colourRow = static_cast<size_t>(entry.width) * 4;
    const size_t maskRow = (entry.width + 31) / 32 * 4;
    const size_t row = entry.height - 1 - y;
    const int alpha = entry.dib[40 + row * colourRow + x * 4 + 3];
    const size_t maskStart = 40 + colourRow * entry.height;
    const bool masked = (entry.dib[maskStart + row * maskRow + x / 8] >> (7 - x % 8)) & 1;
    return {alpha, masked};
}

void expectIconDib(const IconEntry& entry) {
    ASSERT_GE(entry.dib.size(), 40u);
    EXPECT_EQ(le32(entry.dib, 0), 40u);
    EXPECT_EQ(int32_t(le32(entry.dib, 4)), entry.width);
    EXPECT_EQ(int32_t(le32(entry.dib, 8)), 2 * entry.height);  // colours and mask
    EXPECT_EQ(le16(entry.dib, 14), 32);
    const size_t needed = 40 + static_cast<size_t>(entry.width) * entry.height * 4 +
                          (entry.width + 31) / 32 * 4 * entry.height;
    ASSERT_EQ(entry.dib.size(), needed);
}

TEST(GameCursor, IsA32PixelDartWithItsPointAtTheHotSpot) {
    const auto file = findResource("IDC_CURSOR1", ".cur");
    ASSERT_TRUE(file);
    const auto entries = readIconDirectory(*file, 2);
    ASSERT_EQ(entries.size(), 1u);
    const IconEntry& cursor = entries[0];
    EXPECT_EQ(cursor.width, 32);
    EXPECT_EQ(cursor.height, 32);
    EXPECT_EQ(cursor.hotSpotX, 0);
    EXPECT_EQ(cursor.hotSpotY, 0);
    expectIconDib(cursor);
    if (HasFatalFailure()) return;

    // The point is the hot spot; the far corners are see-through; mask and alpha agree.
    EXPECT_GE(iconPixel(cursor, 0, 0).first, 128);
    EXPECT_FALSE(iconPixel(cursor, 0, 0).second);
    for (auto [x, y] : {std::pair{31, 0}, std::pair{0, 31}}) {
        EXPECT_EQ(iconPixel(cursor, x, y).first, 0);
        EXPECT_TRUE(iconPixel(cursor, x, y).second);
    }
    int opaque = 0, clear = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const auto [alpha, masked] = iconPixel(cursor, x, y);
            EXPECT_EQ(masked, alpha == 0) << x << "," << y;
            opaque += alpha == 255;
            clear += alpha == 0;
        }
    }
    EXPECT_GT(opaque, 100);  // a pointer one can see
    EXPECT_GT(clear, 500);   // and not a square
}

TEST(GameIcon, HoldsA32And16PixelDartboard) {
    const auto file = findResource("IDI_ICON1", ".ico");
    ASSERT_TRUE(file);
    const auto entries = readIconDirectory(*file, 1);
    ASSERT_EQ(entries.size(), 2u);
    std::set<int> sizes;
    for (const IconEntry& icon : entries) {
        SCOPED_TRACE(icon.width);
        EXPECT_EQ(icon.width, icon.height);
        sizes.insert(icon.width);
        expectIconDib(icon);
        if (HasFatalFailure()) return;
        // A round board: solid in the middle, the corners left clear.
        const int last = icon.width - 1;
        EXPECT_EQ(iconPixel(icon, icon.width / 2, icon.width / 2).first, 255);
        for (auto [x, y] :
             {std::pair{0, 0}, std::pair{last, 0}, std::pair{0, last}, std::pair{last, last}}) {
            EXPECT_TRUE(iconPixel(icon, x, y).second);
        }
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

}  // namespace
}  // namespace darts::gfx
