// Resource lookup over the tests' own embedded set (tests/data/resources) and over the game's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "gfx/resources.h"

namespace darts::gfx {

// Generated from tests/data/resources by the same build step as the game's resources.
std::span<const EmbeddedResource> testResources();

namespace {

std::string lowered(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

void expectOpaque(const Image& image) {
    for (size_t i = 3; i < image.rgba.size(); i += 4) ASSERT_EQ(image.rgba[i], 255) << i / 4;
}

TEST(Resources, EmbeddingKeepsNamesExtensionsAndBytes) {
    const auto table = testResources();
    ASSERT_EQ(table.size(), 5u);
    const auto cursor = findResource(table, "IDC_CURSOR1", ".cur");
    ASSERT_TRUE(cursor);
    EXPECT_TRUE(std::ranges::equal(*cursor, std::vector<uint8_t>{0, 0, 2, 0, 0, 0}));
    const auto board = findResource(table, "COMPARE_BOARD", std::nullopt);
    ASSERT_TRUE(board);
    EXPECT_EQ(board->size(), 70u);
    EXPECT_EQ((*board)[0], 'B');
}

TEST(Resources, NamesAndExtensionsCompareWithoutCase) {
    const auto table = testResources();
    for (const char* name : {"compare_board", "Compare_Board", "COMPARE_BOARD"}) {
        EXPECT_TRUE(findResource(table, name, std::nullopt)) << name;
        EXPECT_TRUE(findBitmapResource(table, name)) << name;
    }
    EXPECT_TRUE(findResource(table, "idc_cursor1", ".CUR"));
    EXPECT_TRUE(findBitmapResource(table, "c1"));  // stored as C1.BMP
}

TEST(Resources, MissingOrPartialNamesFindNothing) {
    const auto table = testResources();
    for (const char* name : {"", "compare", "compare_board.bmp", "compare_board ", "nothing"}) {
        EXPECT_FALSE(findResource(table, name, std::nullopt)) << '"' << name << '"';
        EXPECT_FALSE(findBitmapResource(table, name)) << '"' << name << '"';
        EXPECT_FALSE(loadBitmapResource(table, name)) << '"' << name << '"';
    }
    EXPECT_FALSE(findResource(table, "idc_cursor1", ".bmp"));
    EXPECT_FALSE(findBitmapResource(table, "idc_cursor1"));  // exists, but is no bitmap
    EXPECT_FALSE(findResource("a resource nobody embeds"));
    EXPECT_FALSE(findBitmapResource("a resource nobody embeds"));
}

TEST(Resources, BitmapResourceIsTheDibWithoutItsFileHeader) {
    const auto dib = findBitmapResource(testResources(), "compare_board");
    ASSERT_TRUE(dib);
    ASSERT_EQ(dib->size(), 70u - 14u);
    EXPECT_EQ((*dib)[0], 40);  // starts with the BITMAPINFOHEADER size
    const auto image = decodeDib(*dib);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 2);
    ASSERT_EQ(image->height, 2);
    const std::vector<uint8_t> expected{255, 0, 0,   255, 0,   255, 0,   255,
                                        0,   0, 255, 255, 255, 255, 255, 255};
    EXPECT_EQ(image->rgba, expected);
}

TEST(Resources, BitmapResourcesDecodeOpaque) {
    const auto table = testResources();
    // Read as a file, this bitmap's reserved bytes would make it translucent.
    const auto asFile = decodeImage(*findResource(table, "alpha32", ".bmp"));
    ASSERT_TRUE(asFile);
    EXPECT_EQ(asFile->rgba[3], 0x10);

    const auto fromDib = decodeDib(*findBitmapResource(table, "alpha32"));
    const auto loaded = loadBitmapResource(table, "ALPHA32");
    ASSERT_TRUE(fromDib && loaded);
    EXPECT_EQ(fromDib->rgba, (std::vector<uint8_t>{255, 0, 0, 255}));
    EXPECT_EQ(loaded->rgba, fromDib->rgba);

    // A resource in another image format is decoded as that file, alpha and all.
    const auto picture = loadBitmapResource(table, "picture");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->rgba, (std::vector<uint8_t>{255, 0, 0, 0x40}));
}

// Whatever the game embeds must be reachable by its lower-case name, and every bitmap among it
// must decode, opaque. Vacuous while resources/ is empty.
TEST(Resources, EveryGameBitmapIsFoundAndDecodes) {
    for (const EmbeddedResource& resource : gameResources()) {
        const std::string name = lowered(resource.name);
        EXPECT_TRUE(findResource(name)) << resource.name;
        if (lowered(resource.extension) != ".bmp") continue;
        const auto image = loadBitmapResource(name);
        ASSERT_TRUE(image) << resource.name;
        expectOpaque(*image);
        const auto dib = findBitmapResource(name);
        ASSERT_TRUE(dib && decodeDib(*dib)) << resource.name;
    }
}

}  // namespace
}  // namespace darts::gfx
